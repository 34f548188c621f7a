#include "receiveValueSlider.h"

#include "MessageValue.h"
#include "midiSlider.h"
#include "panSliderCell.h"

#include "model/ControlSettings.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr qreal knobRadius = 7.0;
constexpr qreal trackHeight = 6.0;
constexpr qreal margin = 6.0;
} // namespace

receiveValueSlider::receiveValueSlider(QWidget *parent)
    : TouchView(parent)
{
    m_return.setDuration(returnDurationMs);
    m_return.setEasingCurve(QEasingCurve::InQuad);
    connect(&m_return, &QVariantAnimation::valueChanged, this, [this](const QVariant &fraction) {
        setFraction(fraction.toDouble());
        sendAction();
    });
}

double receiveValueSlider::doubleValue() const
{
    return m_realMin + m_fraction * (m_realMax - m_realMin);
}

void receiveValueSlider::setDoubleValue(double value)
{
    const double range = m_realMax - m_realMin;
    // An empty range has one value only; keep the knob where it is rather than divide by zero.
    if (range != 0.0 && std::isfinite(value))
        setFraction((value - m_realMin) / range);
}

int receiveValueSlider::intValue() const
{
    return MessageValue::rounded(doubleValue());
}

void receiveValueSlider::setSliderTitle(const QString &title)
{
    m_sliderTitle = title;
    update();
}

void receiveValueSlider::setTrackFillColor(const QColor &color)
{
    m_trackFillColor = color;
    update();
}

QSize receiveValueSlider::sizeHint() const
{
    return QSize(200, 30);
}

void receiveValueSlider::setFraction(double fraction)
{
    m_fraction = std::clamp(fraction, 0.0, 1.0);
    update();
}

void receiveValueSlider::sendAction()
{
    const bool everyChange = m_midiSlider && m_midiSlider->kind() == int(ControlSettings::Kind::Osc);
    if (!everyChange) {
        const int value = intValue();
        if (value == m_lastVal && !m_firstEvent)
            return;
        m_lastVal = value;
        m_firstEvent = false;
    }
    if (m_action)
        m_action();
}

const Touch *receiveValueSlider::trackedTouch(const TouchList &touches) const
{
    for (const Touch &touch : touches) {
        if (touch.direct && m_touchIdentity == touch.identity)
            return &touch;
    }
    return nullptr;
}

void receiveValueSlider::moveTo(const Touch &touch)
{
    const QRectF track = trackRect();
    if (track.width() <= 0)
        return;
    setFraction((touch.location.x() - track.left()) / track.width());
    sendAction();
}

void receiveValueSlider::touchesBegan(const TouchList &touches)
{
    if (m_touchIdentity)
        return;
    const auto touch = std::find_if(touches.begin(), touches.end(), [](const Touch &t) { return t.direct; });
    if (touch == touches.end())
        return;
    m_return.stop();
    m_touchIdentity = touch->identity;
    m_firstEvent = true;
    moveTo(*touch);
    if (m_touchDelegate)
        m_touchDelegate->sliderTouched(*this);
    m_touched = true;
}

void receiveValueSlider::touchesMoved(const TouchList &touches)
{
    if (const Touch *touch = trackedTouch(touches))
        moveTo(*touch);
}

void receiveValueSlider::touchesEnded(const TouchList &touches)
{
    const Touch *touch = trackedTouch(touches);
    if (!touch)
        return;
    moveTo(*touch);
    m_touchIdentity.reset();
    m_touched = false;
    if (m_isPanSlider && m_moveToCenter)
        returnToCentre();
}

void receiveValueSlider::touchesCancelled(const TouchList &touches)
{
    if (!trackedTouch(touches))
        return;
    m_touchIdentity.reset();
    m_touched = false;
}

void receiveValueSlider::leaveItem()
{
    m_return.stop();
    m_action = nullptr;
    m_midiSlider = nullptr;
}

void receiveValueSlider::returnToCentre()
{
    m_return.stop();
    m_return.setStartValue(m_fraction);
    m_return.setEndValue(0.5);
    m_return.start();
}

qreal receiveValueSlider::titleWidth() const
{
    if (m_sliderTitle.isEmpty())
        return 0;
    return std::min<qreal>(QFontMetricsF(font()).horizontalAdvance(m_sliderTitle) + 2 * margin,
                           0.4 * sizeInPoints().width());
}

QRectF receiveValueSlider::trackRect() const
{
    const QSizeF size = sizeInPoints();
    const qreal left = titleWidth() + margin + knobRadius;
    return QRectF(left, (size.height() - trackHeight) / 2,
                  std::max<qreal>(0, size.width() - left - margin - knobRadius), trackHeight);
}

void receiveValueSlider::draw(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(QPointF(0, 0), sizeInPoints());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2c, 0x2c, 0x2e));
    painter.drawRoundedRect(bounds.adjusted(1, 1, -1, -1), 6, 6);

    if (!m_sliderTitle.isEmpty()) {
        painter.setPen(Qt::white);
        const QRectF titleRect(margin, 0, titleWidth() - margin, bounds.height());
        painter.drawText(
            titleRect, Qt::AlignVCenter | Qt::AlignLeft,
            painter.fontMetrics().elidedText(m_sliderTitle, Qt::ElideRight, int(titleRect.width())));
    }

    const QRectF track = trackRect();
    const QColor fill = m_trackFillColor.value_or(panSliderCell::defaultFill());
    if (m_isPanSlider)
        panSliderCell::drawPanBar(painter, track, m_fraction, fill);
    else
        panSliderCell::drawBar(painter, track, m_fraction, fill);

    const QPointF knob(track.left() + m_fraction * track.width(), track.center().y());
    painter.setPen(QPen(QColor(0, 0, 0, 90), 0.5));
    painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
    painter.drawEllipse(knob, knobRadius, knobRadius);
}
