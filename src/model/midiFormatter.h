#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// Converts between note numbers and names such as "C3" (middle C, 60) or "C#-2" (1).
class midiFormatter {
public:
    struct Parsed {
        bool ok = false;
        int note = 0;
        // Set on the one failure that deserves a message: a bad octave digit.
        QString errorDescription;
    };

    // Only numbers have names; anything else gives none.
    std::optional<QString> stringForObjectValue(const QVariant &value) const;
    Parsed getObjectValue(const QString &text) const;
};
