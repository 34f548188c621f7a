#include "EightFaderLayout.h"

#include <algorithm>
#include <cmath>

EightFaderLayout::EightFaderLayout(float width, float height)
    : m_width(width)
    , m_height(height)
    , m_slotWidth((width - 2 * buttonWidth) / float(slotCount))
{
}

int EightFaderLayout::zoneAt(float x) const
{
    if (x < buttonWidth)
        return previousBank;
    if (x > m_width - buttonWidth)
        return nextBank;
    if (m_slotWidth <= 0)
        return 0;
    return std::min(int(std::floor((x - buttonWidth) / m_slotWidth)), slotCount - 1);
}

QRectF EightFaderLayout::leftButton() const
{
    return QRectF(0, 0, buttonWidth - 1, m_height);
}

QRectF EightFaderLayout::rightButton() const
{
    return QRectF(m_width - (buttonWidth - 1), 0, buttonWidth - 1, m_height);
}

QRectF EightFaderLayout::slotBackground(int slot) const
{
    return QRectF(slotLeft(slot) + 1, 0, m_slotWidth - 2, m_height);
}

QRectF EightFaderLayout::marker(int slot, float value) const
{
    return QRectF(slotLeft(slot) + 1 + (m_slotWidth - 6) * value, 0, 4, 11);
}

QRectF EightFaderLayout::nameLabel(int slot) const
{
    return QRectF(slotLeft(slot) + 2, 1.5, m_slotWidth - 4, m_height);
}

QRectF EightFaderLayout::bankNumberLabel() const
{
    return QRectF(0, 0, buttonWidth, m_height - 3);
}

QRectF EightFaderLayout::bypassLabel() const
{
    return QRectF(m_width - buttonWidth, 0, buttonWidth, m_height - 3);
}
