#include "TouchView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTouchEvent>

TouchView::TouchView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    m_nextFrame.setSingleShot(true);
    m_nextFrame.setTimerType(Qt::PreciseTimer);
    connect(&m_nextFrame, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

// A host that moves eight faders at 1 kHz would otherwise have the view painted after every
// batch the MIDI system delivers, several times per frame the screen can show.
void TouchView::scheduleRepaint()
{
    if (m_nextFrame.isActive())
        return;
    const qint64 wait = m_lastPaint.isValid() ? frameMilliseconds() - m_lastPaint.elapsed() : 0;
    if (wait <= 0)
        update();
    else
        m_nextFrame.start(int(wait));
}

int TouchView::frameMilliseconds() const
{
    const qreal rate = screen() ? screen()->refreshRate() : 0.0;
    return rate >= 1.0 ? qMax(1, qRound(1000.0 / rate)) : 16;
}

void TouchView::setPointScale(qreal scale)
{
    m_pointScale = scale;
    update();
}

QSizeF TouchView::sizeInPoints() const
{
    return QSizeF(size()) / m_pointScale;
}

bool TouchView::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        deliverTouchEvent(static_cast<QTouchEvent *>(event));
        // Accepting the touch keeps Qt from synthesizing a second, mouse, touch out of it.
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

void TouchView::deliverTouchEvent(QTouchEvent *event)
{
    // Qt cancels a whole touch sequence without naming its points.
    if (event->type() == QEvent::TouchCancel) {
        cancel(Origin::Screen);
        return;
    }
    const bool direct = event->device() && event->device()->type() == QInputDevice::DeviceType::TouchScreen;
    TouchList pressed, updated, released;
    for (const QEventPoint &point : event->points()) {
        const Touch touch{quint64(point.id()), direct, point.position() / m_pointScale};
        switch (point.state()) {
        case QEventPoint::Pressed:
            pressed.append(touch);
            break;
        case QEventPoint::Updated:
            updated.append(touch);
            break;
        case QEventPoint::Released:
            released.append(touch);
            break;
        default:
            break;
        }
    }
    began(pressed);
    moved(updated);
    ended(released);
}

void TouchView::began(const TouchList &touches)
{
    if (touches.isEmpty())
        return;
    for (const Touch &touch : touches) {
        m_down.removeIf([&touch](const Touch &down) { return down.identity == touch.identity; });
        m_down.append(touch);
    }
    touchesBegan(touches);
}

void TouchView::moved(const TouchList &touches)
{
    if (touches.isEmpty())
        return;
    for (const Touch &touch : touches) {
        for (Touch &down : m_down) {
            if (down.identity == touch.identity)
                down.location = touch.location;
        }
    }
    touchesMoved(touches);
}

void TouchView::ended(const TouchList &touches)
{
    if (touches.isEmpty())
        return;
    for (const Touch &touch : touches)
        m_down.removeIf([&touch](const Touch &down) { return down.identity == touch.identity; });
    touchesEnded(touches);
}

void TouchView::cancel(Origin origin)
{
    TouchList cancelled;
    m_down.removeIf([&cancelled, origin](const Touch &down) {
        if (origin == Origin::Screen && down.identity == mouseTouchIdentity)
            return false;
        cancelled.append(down);
        return true;
    });
    if (!cancelled.isEmpty())
        touchesCancelled(cancelled);
}

void TouchView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    cancel(Origin::All);
}

Touch TouchView::mouseTouch(const QPointF &position) const
{
    return Touch{mouseTouchIdentity, true, position / m_pointScale};
}

void TouchView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        began({mouseTouch(event->position())});
}

void TouchView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        moved({mouseTouch(event->position())});
}

void TouchView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        ended({mouseTouch(event->position())});
}

void TouchView::paintEvent(QPaintEvent *)
{
    m_lastPaint.start();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(m_pointScale, m_pointScale);
    draw(painter);
}
