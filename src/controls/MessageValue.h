#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <limits>

// A control's values are doubles in the user's range, which a settings file may stretch to the
// largest float; messages carry 7 or 14 bits. Every conversion clamps before it converts, so it
// stays defined and a value past the end sends the end, never a wrapped byte.
namespace MessageValue {

inline constexpr int sevenBitTop = 127;
inline constexpr int fourteenBitTop = 16383;

// Truncated toward zero within 0 … top; not a number is 0.
inline int truncated(double value, int top)
{
    return std::isnan(value) ? 0 : int(std::clamp(std::trunc(value), 0.0, double(top)));
}

// Any integer the double rounds to that int can hold, half away from zero; not a number is 0.
inline int rounded(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::clamp(std::round(value), double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

inline int clamped(int value, int top)
{
    return std::clamp(value, 0, top);
}

} // namespace MessageValue
