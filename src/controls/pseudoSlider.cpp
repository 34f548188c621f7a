#include "pseudoSlider.h"

#include "pseudoSliderCell.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr qreal knobRadius = 7.0;
constexpr qreal trackHeight = 6.0;
} // namespace

pseudoSlider::pseudoSlider(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void pseudoSlider::setTrackFillColor(const std::optional<QColor> &color)
{
    m_trackFillColor = color;
    update();
}

QSize pseudoSlider::sizeHint() const
{
    return QSize(160, 22);
}

void pseudoSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar(knobRadius, (height() - trackHeight) / 2, width() - 2 * knobRadius, trackHeight);
    pseudoSliderCell::drawBarInside(painter, bar, m_trackFillColor);
    painter.setPen(QPen(QColor(0, 0, 0, 90), 0.5));
    painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
    painter.drawEllipse(QPointF(bar.center().x(), bar.center().y()), knobRadius, knobRadius);
}

void pseudoSlider::mousePressEvent(QMouseEvent *event)
{
    event->ignore();
}
