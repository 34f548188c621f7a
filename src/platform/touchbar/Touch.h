#pragma once

#include <QList>
#include <QPointF>

// One finger on a touch view. The identity stays the same from the touch's beginning to its
// end and differs from every other touch down at the same time.
struct Touch {
    quint64 identity = 0;
    // Only touches on the strip itself are direct; a touchpad's are not.
    bool direct = true;
    // In points of the view.
    QPointF location;
};

using TouchList = QList<Touch>;
