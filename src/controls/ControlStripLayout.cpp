#include "ControlStripLayout.h"

#include <algorithm>

namespace {

constexpr float buttonWidth = 40.0f;
constexpr float faderWidth = 100.0f;
constexpr float deviceWidth = 120.0f;
constexpr int sideFaders = 5;
constexpr float fixedMiddle = sideFaders * faderWidth + deviceWidth;

} // namespace

ControlStripLayout::ControlStripLayout(float width, float height)
    : m_width(width)
    , m_height(height)
{
    const float buttons = std::min(buttonWidth, std::max(width, 0.0f) / 2);
    const float middle = std::max(width - 2 * buttons, 0.0f);
    const float volumeWidth = middle - fixedMiddle;
    const float scale =
        volumeWidth >= minimumVolumeWidth ? 1.0f : middle / (minimumVolumeWidth + fixedMiddle);
    m_ends[solo] = buttons;
    m_ends[volume] = m_ends[solo] + (scale == 1.0f ? volumeWidth : minimumVolumeWidth * scale);
    for (int segment = volume + 1; segment < device; ++segment)
        m_ends[segment] = m_ends[segment - 1] + faderWidth * scale;
    m_ends[device] = m_ends[device - 1] + deviceWidth * scale;
    m_ends[mute] = width;
}

int ControlStripLayout::segmentAt(float x) const
{
    for (int segment = 0; segment < segmentCount; ++segment) {
        if (m_ends[segment] > x)
            return segment;
    }
    return mute;
}

double ControlStripLayout::sensitivity(int fader) const
{
    return fader == 0 ? 1.0 / double(m_ends[volume] - m_ends[solo]) : faderSensitivity;
}

QRectF ControlStripLayout::soloButton() const
{
    return QRectF(0, 0, m_ends[solo] - 1, m_height);
}

QRectF ControlStripLayout::volumeBackground() const
{
    const float x0 = m_ends[solo] + 1;
    return QRectF(x0, 0, m_ends[volume] - x0 - 1, m_height);
}

QRectF ControlStripLayout::volumeBand() const
{
    const QRectF background = volumeBackground();
    return QRectF(background.x(), 15, background.width(), m_height - 15);
}

QRectF ControlStripLayout::faderBackground(int fader) const
{
    if (fader == 0)
        return volumeBackground();
    return QRectF(m_ends[fader] + 1, 0, segmentWidth(fader + 1) - 2, m_height);
}

QRectF ControlStripLayout::marker(int fader, float value) const
{
    const QRectF background = faderBackground(fader);
    return QRectF(background.x() + (background.width() - 4) * value, 0, 4, 11);
}

QRectF ControlStripLayout::deviceButton() const
{
    return QRectF(m_ends[device - 1] + 1, 0, segmentWidth(device) - 2, m_height);
}

QRectF ControlStripLayout::muteButton() const
{
    return QRectF(m_ends[device] + 1, 0, segmentWidth(mute) - 1, m_height);
}

QRectF ControlStripLayout::label(int segment) const
{
    const bool button = segment == solo || segment == mute;
    const qreal bottom = segment == device ? 0 : 1.5;
    return QRectF(segmentLeft(segment), bottom, segmentWidth(segment), button ? m_height - 4 : m_height);
}
