#pragma once

#include <QObject>
#include <QString>

// The system's global shortcuts: a key combination grabbed for the whole desktop under an
// identifier, reported when the combination is released. Key codes are macOS virtual key codes
// and modifier flags device-independent ones, as the preferences store them.
class GlobalShortcutService : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // False when the system refuses the combination (another program holds it, the key does
    // not exist here, or the combination is held under another identifier already).
    virtual bool registerShortcut(quint32 id, quint16 keyCode, quint64 modifierFlags) = 0;
    virtual void unregisterShortcut(quint32 id) = 0;
    // Empty while shortcuts work across the desktop; otherwise a sentence for the user.
    virtual QString unavailableReason() const = 0;

Q_SIGNALS:
    void shortcutReleased(quint32 id, quint64 modifierFlags, quint32 timestamp);
};
