#include "ActiveFaders.h"

#include <algorithm>

Fader *ActiveFaders::forTouch(quint64 identity)
{
    const auto fader = std::find_if(m_faders.begin(), m_faders.end(), [identity](const Fader &f) {
        return f.trackingTouchIdentity == identity;
    });
    return fader == m_faders.end() ? nullptr : &*fader;
}

std::optional<Fader> ActiveFaders::take(quint64 identity)
{
    const Fader *fader = forTouch(identity);
    if (!fader)
        return std::nullopt;
    const Fader ended = *fader;
    m_faders.removeIf([identity](const Fader &f) { return f.trackingTouchIdentity == identity; });
    return ended;
}

std::optional<float> ActiveFaders::touchedValue(int faderNr) const
{
    const auto fader = std::find_if(m_faders.cbegin(), m_faders.cend(),
                                    [faderNr](const Fader &f) { return f.faderNr == faderNr; });
    if (fader == m_faders.cend())
        return std::nullopt;
    return fader->lastValue;
}
