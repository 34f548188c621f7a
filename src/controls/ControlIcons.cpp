#include "ControlIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

void ControlIcons::triangle(QPainter &painter, const QRectF &cell, bool pointsRight)
{
    QPainterPath path;
    const qreal tip = pointsRight ? cell.right() : cell.left();
    const qreal base = pointsRight ? cell.left() : cell.right();
    path.moveTo(base, cell.top());
    path.lineTo(tip, cell.center().y());
    path.lineTo(base, cell.bottom());
    path.closeSubpath();
    painter.drawPath(path);
}

void ControlIcons::draw(QPainter &painter, Icon icon, const QRectF &box, const QColor &color)
{
    const qreal side = std::min<qreal>(14.0, std::min(box.width(), box.height()));
    const QRectF c(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const qreal w = c.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    switch (icon) {
    case Icon::Play:
        triangle(painter, c.adjusted(w * 0.15, 0, -w * 0.05, 0), true);
        break;
    case Icon::Pause:
        painter.drawRect(QRectF(c.left() + w * 0.15, c.top(), w * 0.25, c.height()));
        painter.drawRect(QRectF(c.left() + w * 0.6, c.top(), w * 0.25, c.height()));
        break;
    case Icon::Stop:
        painter.drawRect(c.adjusted(w * 0.1, w * 0.1, -w * 0.1, -w * 0.1));
        break;
    case Icon::Record:
        painter.setBrush(QColor(0xff, 0x3b, 0x30));
        painter.drawEllipse(c.adjusted(w * 0.05, w * 0.05, -w * 0.05, -w * 0.05));
        break;
    case Icon::FastForward:
        triangle(painter, QRectF(c.left(), c.top(), w / 2, c.height()), true);
        triangle(painter, QRectF(c.center().x(), c.top(), w / 2, c.height()), true);
        break;
    case Icon::Rewind:
        triangle(painter, QRectF(c.left(), c.top(), w / 2, c.height()), false);
        triangle(painter, QRectF(c.center().x(), c.top(), w / 2, c.height()), false);
        break;
    case Icon::SkipToStart:
        painter.drawRect(QRectF(c.left(), c.top(), w * 0.15, c.height()));
        triangle(painter, c.adjusted(w * 0.2, 0, 0, 0), false);
        break;
    case Icon::SkipToEnd:
        painter.drawRect(QRectF(c.right() - w * 0.15, c.top(), w * 0.15, c.height()));
        triangle(painter, c.adjusted(0, 0, -w * 0.2, 0), true);
        break;
    case Icon::PlayPause:
        triangle(painter, QRectF(c.left(), c.top(), w * 0.5, c.height()), true);
        painter.drawRect(QRectF(c.left() + w * 0.6, c.top(), w * 0.14, c.height()));
        painter.drawRect(QRectF(c.left() + w * 0.86, c.top(), w * 0.14, c.height()));
        break;
    case Icon::Close:
        painter.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(c.topLeft() + QPointF(2, 2), c.bottomRight() - QPointF(2, 2));
        painter.drawLine(c.topRight() + QPointF(-2, 2), c.bottomLeft() + QPointF(2, -2));
        break;
    }
    painter.restore();
}
