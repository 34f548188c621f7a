#include "StripLayout.h"

#include <algorithm>

namespace {

using Slot = StripLayout::Slot;
using Kind = StripLayout::Kind;

// Which entries are shown: the non-empty ones, in order, as long as they fit at their minimum
// widths.
QList<bool> fittingSlots(const QList<Slot> &entries, qreal rowWidth)
{
    QList<bool> shown(entries.size(), false);
    qreal used = 0.0;
    bool first = true;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == Kind::Empty)
            continue;
        const qreal needed = entries[i].width + (first ? 0.0 : StripLayout::itemSpacing);
        if (used + needed > rowWidth)
            break;
        used += needed;
        first = false;
        shown[i] = true;
    }
    return shown;
}

Kind growingKind(const QList<Slot> &entries, const QList<bool> &shown)
{
    for (Kind kind : {Kind::Fill, Kind::FlexibleSpace, Kind::AtLeast}) {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (shown[i] && entries[i].kind == kind)
                return kind;
        }
    }
    return Kind::Empty;
}

} // namespace

QList<QRectF> StripLayout::layout(const QList<Slot> &entries, qreal rowWidth)
{
    const QList<bool> shown = fittingSlots(entries, rowWidth);
    qreal used = 0.0;
    int visible = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (shown[i]) {
            used += entries[i].width;
            ++visible;
        }
    }
    used += itemSpacing * std::max(0, visible - 1);

    const Kind growing = growingKind(entries, shown);
    int growers = 0;
    for (qsizetype i = 0; i < entries.size(); ++i)
        growers += shown[i] && entries[i].kind == growing ? 1 : 0;
    const qreal extra = growers > 0 ? (rowWidth - used) / qreal(growers) : 0.0;

    QList<QRectF> frames(entries.size());
    qreal x = 0.0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!shown[i])
            continue;
        const qreal slotWidth = entries[i].width + (entries[i].kind == growing ? extra : 0.0);
        frames[i] = QRectF(x, 0.0, slotWidth, height);
        x += slotWidth + itemSpacing;
    }
    return frames;
}
