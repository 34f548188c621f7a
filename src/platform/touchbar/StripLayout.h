#pragma once

#include <QList>
#include <QRectF>

// Lays out one row of touch bar items in points, left to right in list order.
class StripLayout {
public:
    static constexpr qreal width = 1085.0;
    static constexpr qreal height = 30.0;
    static constexpr qreal itemSpacing = 8.0;

    enum class Kind { Empty, Fixed, AtLeast, Fill, FlexibleSpace };
    struct Slot {
        Kind kind = Kind::Empty;
        qreal width = 0.0;
    };

    // One frame per slot; an empty slot, or one that no longer fits in the row, gets a null
    // frame. Width left over goes to the full-width views, else to the flexible spaces, else
    // to the growing items; without any of those the row stays left-aligned.
    static QList<QRectF> layout(const QList<Slot> &entries, qreal rowWidth = width);
};
