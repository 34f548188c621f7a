#pragma once

#include <QRectF>

// Geometry of the eight-fader bank for a view of W × H points: a 40-point button at each end
// and eight equal slots between them. Rectangles are given from the lower-left corner (y up);
// SurfacePainting::flipped turns them into Qt's.
class EightFaderLayout {
public:
    static constexpr int slotCount = 8;
    static constexpr float buttonWidth = 40.0f;
    // What a touch at some x lands on.
    static constexpr int previousBank = -1;
    static constexpr int nextBank = slotCount;
    // Horizontal travel that covers a continuous slot's full range.
    static constexpr double dragRange = 500.0;

    EightFaderLayout(float width, float height);

    float width() const { return m_width; }
    float height() const { return m_height; }
    float slotWidth() const { return m_slotWidth; }

    // previousBank, nextBank or a slot 0 … 7. The right button begins only past W − 40, so a
    // touch exactly there is still slot 7.
    int zoneAt(float x) const;
    float slotLeft(int slot) const { return m_slotWidth * float(slot) + buttonWidth; }

    QRectF leftButton() const;
    QRectF rightButton() const;
    QRectF slotBackground(int slot) const;
    QRectF marker(int slot, float value) const;
    QRectF nameLabel(int slot) const;
    QRectF bankNumberLabel() const;
    QRectF bypassLabel() const;
    qreal powerSymbolLeft() const { return m_width - 29; }

private:
    float m_width;
    float m_height;
    float m_slotWidth;
};
