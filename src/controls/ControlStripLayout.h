#pragma once

#include <QRectF>

#include <array>

// Geometry of the channel strip for a view of W × H points: solo, volume, pan, four sends,
// device and mute segments, left to right. Rectangles are given from the lower-left corner
// (y up); SurfacePainting::flipped turns them into Qt's.
//
// From 760 points up the fixed segments keep their widths (40, 100 × 5, 120, 40) and the
// volume fader takes the rest. Narrower, the volume fader would shrink below 60 points and
// vanish at 700, so instead the six middle segments share W − 80 in the proportions
// 60 : 100 × 5 : 120; the two 40-point buttons keep their size while there is room for them.
class ControlStripLayout {
public:
    static constexpr int segmentCount = 9;
    static constexpr int solo = 0;
    static constexpr int volume = 1;
    static constexpr int device = 7;
    static constexpr int mute = 8;
    static constexpr float minimumVolumeWidth = 60.0f;
    // 200 points of travel cover the full range of the pan and send faders.
    static constexpr double faderSensitivity = 0.005;

    ControlStripLayout(float width, float height);

    float width() const { return m_width; }
    float height() const { return m_height; }
    const std::array<float, segmentCount> &ends() const { return m_ends; }
    float segmentLeft(int segment) const { return segment == 0 ? 0.0f : m_ends[segment - 1]; }
    float segmentWidth(int segment) const { return m_ends[segment] - segmentLeft(segment); }

    // The first segment whose right edge lies beyond x; the mute button for anything past it.
    int segmentAt(float x) const;
    // Value change per point of horizontal travel on fader 0 … 5.
    double sensitivity(int fader) const;

    QRectF soloButton() const;
    QRectF volumeBackground() const;
    QRectF volumeBand() const;
    QRectF faderBackground(int fader) const;
    QRectF marker(int fader, float value) const;
    QRectF deviceButton() const;
    QRectF muteButton() const;
    qreal powerSymbolLeft() const { return m_ends[device] + 11; }
    QRectF label(int segment) const;

private:
    float m_width;
    float m_height;
    std::array<float, segmentCount> m_ends{};
};
