#include "panSliderCell.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr qreal trackRadius = 3.0;
}

QColor panSliderCell::defaultFill()
{
    return QColor::fromRgbF(0.0f, 0.5098f, 0.8431f, 1.0f);
}

void panSliderCell::drawTrack(QPainter &painter, const QRectF &bar)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x4a, 0x4a, 0x4c));
    painter.drawRoundedRect(bar, trackRadius, trackRadius);
}

void panSliderCell::drawBar(QPainter &painter, const QRectF &bar, double fraction, const QColor &fill)
{
    drawTrack(painter, bar);
    QRectF filled = bar;
    filled.setWidth(bar.width() * std::clamp(fraction, 0.0, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(filled, trackRadius, trackRadius);
}

void panSliderCell::drawPanBar(QPainter &painter, const QRectF &bar, double fraction, const QColor &fill)
{
    drawTrack(painter, bar);
    const qreal centre = bar.x() + 0.5 * bar.width();
    const qreal position = bar.x() + std::clamp(fraction, 0.0, 1.0) * bar.width();
    painter.fillRect(QRectF(QPointF(std::min(centre, position), bar.top()),
                            QPointF(std::max(centre, position), bar.bottom())),
                     fill);
}
