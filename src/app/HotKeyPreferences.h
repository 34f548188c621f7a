#pragma once

#include <QStringList>
#include <QVariant>

#include <optional>

class UserDefaults;

// The stored form of the eleven hot keys: one integer per name in the "HotKeys" dictionary,
// the modifier flags with their low 16 bits cleared OR the key code.
class HotKeyPreferences {
public:
    static constexpr const char *hotKeysKey = "HotKeys";

    // Show/hide, control surface, switch 1 to 9: the order of registration and of the fields.
    static const QStringList &names();
    // What the user calls them, in the same order.
    static const QStringList &titles();
    static quint16 keyCodeOf(qint64 value) { return quint16(value & 0xff); }
    static quint64 modifierFlagsOf(qint64 value) { return quint64(value) & ~quint64(0xff); }
    static qint64 storedValue(quint16 keyCode, quint64 modifierFlags)
    {
        return qint64(modifierFlags & ~quint64(0xffff)) | keyCode;
    }
    // A stored value as read from the preferences, which anyone can edit: only a whole number
    // that fits the device-independent flags is a hot key; anything else stands for none.
    static std::optional<qint64> valueFrom(const QVariant &stored);

    explicit HotKeyPreferences(UserDefaults &defaults);

    std::optional<qint64> valueForName(const QString &name) const;
    // In the order of names().
    QList<std::optional<qint64>> values() const;
    // Keeps entries of the dictionary that are not among the names; a name without a value
    // keeps what is stored.
    bool setValues(const QList<std::optional<qint64>> &values);

private:
    UserDefaults &m_defaults;
};
