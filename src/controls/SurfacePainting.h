#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// Drawing shared by the bank and the strip. Their geometry is worked out with the origin at the
// lower-left corner and y growing upwards, as on the touch bar they mirror; Qt paints with y
// growing downwards, so every rectangle passes through flipped() before it is painted.
namespace SurfacePainting {

inline const QColor darkGrey = QColor::fromRgbF(0.2f, 0.2f, 0.2f);

// A rectangle given from the lower-left corner, as Qt paints it in a view of height h.
QRectF flipped(const QRectF &upwards, qreal height);

// Perceived brightness of a colour; 0 for none, so highlights stay white before a colour arrives.
qreal brightness(const QColor &color);

// Host texts keep the zero byte their packing leaves at the end; it is drawn as nothing rather
// than as a missing-glyph box, and so is every other control character.
QString printable(const QString &text);

enum class RoundSide { Left, Right };

// A button as tall as the view whose outer corners only are round.
void fillButton(QPainter &painter, const QRectF &upwards, RoundSide side, qreal height);

// A device on/off symbol: a ring and a short vertical stroke, in the pen colour given.
void drawPowerSymbol(QPainter &painter, qreal left, qreal height, const QColor &color);

} // namespace SurfacePainting
