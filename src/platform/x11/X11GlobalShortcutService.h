#pragma once

#include "app/GlobalShortcutService.h"

#include <QByteArray>

#include <memory>

// Global shortcuts as passive key grabs on the root window, on a connection of its own. A
// combination is grabbed once for every state of the lock keys (Caps Lock, Num Lock, Scroll
// Lock), since X matches the full modifier state. It fires when the grabbed key is released.
class X11GlobalShortcutService : public GlobalShortcutService {
    Q_OBJECT
public:
    // An empty display name means $DISPLAY.
    explicit X11GlobalShortcutService(const QByteArray &displayName = {}, QObject *parent = nullptr);
    ~X11GlobalShortcutService() override;

    bool registerShortcut(quint32 id, quint16 keyCode, quint64 modifierFlags) override;
    void unregisterShortcut(quint32 id) override;
    QString unavailableReason() const override { return m_unavailableReason; }
    bool hasDisplay() const { return m_connection != nullptr; }
    // The reason the last registration was refused.
    QString errorString() const { return m_errorString; }

private:
    struct Connection;
    struct Grab;

    void readEvents();
    void drainLater();
    bool grab(const Grab &grab, QString *error);
    void ungrab(const Grab &grab);

    std::unique_ptr<Connection> m_connection;
    QString m_unavailableReason;
    QString m_errorString;
};
