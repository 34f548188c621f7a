#include "pseudoSliderCell.h"

#include "panSliderCell.h"

#include <QPainter>

void pseudoSliderCell::drawBarInside(QPainter &painter, const QRectF &bar, const std::optional<QColor> &fill)
{
    // The base bar is drawn without any fill of its own; the fill is the fixed half below.
    panSliderCell::drawTrack(painter, bar);
    painter.setBrush(fill.value_or(panSliderCell::defaultFill()));
    painter.drawRoundedRect(QRectF(bar.x(), bar.y() + 1, 0.5 * bar.width(), bar.height() - 2), 2, 2);
}
