#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>

// Fader positions travel as 14-bit pitch bend values: 0 … 16383 for 0.0 … 1.0.
namespace FaderValue {

inline float fromBytes(int msb, int lsb)
{
    return float(lsb | msb << 7) / 16383.0f;
}

// Truncated toward zero. A position outside 0 … 1 (never sent by the views) is clamped first
// so the conversion stays defined.
inline quint16 toPitchBend(float value)
{
    const float clamped = std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
    return quint16(clamped * 16383.0f);
}

} // namespace FaderValue
