#pragma once

#include "model/Menu.h"

#include <QObject>
#include <QVariantMap>

class StatusItemHost;
class UserDefaults;

// Owns what lives for the whole run and keeps the program's operation names; the work
// itself is done by the classes it forwards to.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    AppDelegate(UserDefaults &defaults, StatusItemHost &statusItem, QObject *parent = nullptr);

    void applicationDidFinishLaunching();
    void setupUserPreferences();
    void quitApp();

    Menu &statusMenu() { return m_statusMenu; }
    // The short version string of the program.
    static QString versionString();
    // The defaults resource embedded in the program.
    static QVariantMap defaultsResource();

Q_SIGNALS:
    void quitRequested();

private:
    void buildStatusMenu();

    UserDefaults &m_defaults;
    StatusItemHost &m_statusItem;
    Menu m_statusMenu;
};
