#pragma once

#include "app/GlobalShortcutService.h"
#include "app/KeyboardLayout.h"

#include <QHash>
#include <QSet>

// Grants every combination except those marked as taken by another program, and fires on
// request as the system would on a key release.
class FakeShortcutService : public GlobalShortcutService {
public:
    struct Combination {
        quint16 keyCode;
        quint64 modifierFlags;
        bool operator==(const Combination &) const = default;
    };
    QHash<quint32, Combination> held;
    QList<Combination> takenElsewhere;
    QString reason;

    bool registerShortcut(quint32 id, quint16 keyCode, quint64 modifierFlags) override
    {
        const Combination wanted{keyCode, modifierFlags};
        if (held.contains(id) || takenElsewhere.contains(wanted) || held.values().contains(wanted))
            return false;
        held.insert(id, wanted);
        return true;
    }
    void unregisterShortcut(quint32 id) override { held.remove(id); }
    QString unavailableReason() const override { return reason; }

    // Releases the combination as a user would; false when it is not held.
    bool release(quint16 keyCode, quint64 modifierFlags)
    {
        const quint32 id = held.key(Combination{keyCode, modifierFlags}, 0);
        if (id == 0)
            return false;
        Q_EMIT shortcutReleased(id, modifierFlags, 0);
        return true;
    }
    bool releaseStored(qint64 value)
    {
        return release(quint16(value & 0xff), quint64(value) & ~quint64(0xff));
    }
};

// A layout typing the lower-case letter of a few key positions; native scan codes are the
// virtual key codes plus 1000, so that zero (no scan code) means no key.
class FakeLayout : public KeyboardLayout {
public:
    QHash<quint16, QString> characters{{0, QStringLiteral("a")},
                                       {1, QStringLiteral("s")},
                                       {18, QStringLiteral("1")},
                                       {20, QStringLiteral("3")},
                                       {48, QStringLiteral("\t")}};
    static constexpr quint32 scanOffset = 1000;

    QString charactersForKeyCode(quint16 keyCode, int maxUnits) const override
    {
        return characters.value(keyCode).left(maxUnits);
    }
    std::optional<quint16> keyCodeForNativeScanCode(quint32 scanCode) const override
    {
        if (scanCode < scanOffset)
            return std::nullopt;
        return quint16(scanCode - scanOffset);
    }
};
