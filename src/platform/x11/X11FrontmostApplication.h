#pragma once

#include "app/FrontmostApplicationSource.h"

#include <QByteArray>

#include <memory>

class ApplicationCatalog;
class QSocketNotifier;

// Follows the window manager's _NET_ACTIVE_WINDOW on a connection of its own. The active
// window's WM_CLASS names its application through the installed desktop entries; a window of
// this process (by _NET_WM_PID) is this program.
class X11FrontmostApplication : public FrontmostApplicationSource {
    Q_OBJECT
public:
    // An empty display name means $DISPLAY. Without a display the source stays unavailable.
    explicit X11FrontmostApplication(ApplicationCatalog &applications, QByteArray displayName = {},
                                     QObject *parent = nullptr);
    ~X11FrontmostApplication() override;

    QString frontmostApplication() const override { return m_frontmost; }
    bool isAvailable() const override { return m_connection != nullptr; }
    QString unavailableReason() const override { return m_unavailableReason; }

private:
    struct Connection;

    bool connectToDisplay(const QByteArray &displayName);
    void readEvents();
    // Reads every event there is; true when the active window was announced among them.
    bool takeActiveWindowChange();
    void disconnected();
    // The application of the window now active; empty when no window is.
    QString activeApplication();

    ApplicationCatalog &m_applications;
    std::unique_ptr<Connection> m_connection;
    QSocketNotifier *m_notifier = nullptr;
    QString m_frontmost;
    QString m_unavailableReason;
};
