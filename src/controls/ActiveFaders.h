#pragma once

#include "Fader.h"

#include <QList>

#include <optional>

// The faders that touches move on the bank or the strip: one per touch, from its beginning to
// its end or cancel.
class ActiveFaders {
public:
    bool isEmpty() const { return m_faders.isEmpty(); }
    qsizetype size() const { return m_faders.size(); }
    void add(const Fader &fader) { m_faders.append(fader); }
    Fader *forTouch(quint64 identity);
    // The fader of a touch that ended or was cancelled, no longer tracked.
    std::optional<Fader> take(quint64 identity);
    // While a touch moves a fader, it shows the touch's value, not the one stored.
    std::optional<float> touchedValue(int faderNr) const;

private:
    QList<Fader> m_faders;
};
