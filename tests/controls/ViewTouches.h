#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTest>
#include <QTouchEvent>

// Drives a view as a person does: the mouse is one finger, a touchscreen gives several.
class ViewTouches {
public:
    explicit ViewTouches(QWidget &view)
        : m_view(view)
        , m_screen(QTest::createTouchDevice())
    {
    }

    void press(qreal x) { mouse(QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton); }
    void move(qreal x) { mouse(QEvent::MouseMove, x, Qt::NoButton, Qt::LeftButton); }
    void release(qreal x) { mouse(QEvent::MouseButtonRelease, x, Qt::LeftButton, Qt::NoButton); }
    void tap(qreal x)
    {
        press(x);
        release(x);
    }

    // Touchscreen fingers, each known by its id while it is down.
    QTest::QTouchEventWidgetSequence fingers() { return QTest::touchEvent(&m_view, m_screen); }
    QPoint at(qreal x) const { return QPointF(x, m_view.height() / 2.0).toPoint(); }

    // The system takes the touches away (a gesture or a window change): no release follows.
    void cancel(int id, qreal x)
    {
        const QPointF position(x, m_view.height() / 2.0);
        QEventPoint point(id, QEventPoint::State::Updated, position, m_view.mapToGlobal(position));
        QTouchEvent event(QEvent::TouchCancel, m_screen, Qt::NoModifier, {point});
        QApplication::sendEvent(&m_view, &event);
    }

private:
    void mouse(QEvent::Type type, qreal x, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF position(x, m_view.height() / 2.0);
        QMouseEvent event(type, position, m_view.mapToGlobal(position), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&m_view, &event);
    }

    QWidget &m_view;
    QPointingDevice *m_screen;
};
