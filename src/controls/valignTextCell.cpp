#include "valignTextCell.h"

QRectF valignTextCell::titleRectForBounds(const QRectF &title, const QRectF &bounds)
{
    QRectF centred = title;
    centred.moveTop(bounds.bottom() - (title.height() + (title.top() - bounds.top())) - 2);
    return centred;
}
