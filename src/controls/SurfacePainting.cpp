#include "SurfacePainting.h"

#include <QPainter>
#include <QPainterPath>

namespace SurfacePainting {

namespace {

constexpr qreal cornerX = 6;
constexpr qreal cornerY = 7;
// Squares off the inner corners of a rounded button.
constexpr qreal squareInset = 10;
constexpr qreal symbolSize = 17;
constexpr qreal strokeWidth = 1.5;

} // namespace

QRectF flipped(const QRectF &upwards, qreal height)
{
    return QRectF(upwards.x(), height - upwards.y() - upwards.height(), upwards.width(), upwards.height());
}

qreal brightness(const QColor &color)
{
    if (!color.isValid())
        return 0;
    return (299 * color.redF() + 587 * color.greenF() + 114 * color.blueF()) / 1000;
}

QString printable(const QString &text)
{
    QString result = text;
    result.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return result;
}

void fillButton(QPainter &painter, const QRectF &upwards, RoundSide side, qreal height)
{
    const QRectF rect = flipped(upwards, height);
    QPainterPath path;
    path.addRoundedRect(rect, cornerX, cornerY);
    const QRectF square =
        side == RoundSide::Left ? rect.adjusted(squareInset, 0, 0, 0) : rect.adjusted(0, 0, -squareInset, 0);
    path.addRect(square);
    path.setFillRule(Qt::WindingFill);
    painter.fillPath(path, painter.brush());
}

void drawPowerSymbol(QPainter &painter, qreal left, qreal height, const QColor &color)
{
    const qreal bottom = (height - symbolSize) / 2;
    QPen pen(color, strokeWidth);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    painter.drawEllipse(flipped(QRectF(left, bottom, symbolSize, symbolSize), height));
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const qreal x = left + 8.5;
    painter.drawLine(QPointF(x, height - (bottom + 5)), QPointF(x, height - (bottom + 12)));
    painter.restore();
}

} // namespace SurfacePainting
