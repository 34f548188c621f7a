#pragma once

#include "SettingsFileActions.h"
#include "UpdateCheck.h"
#include "oscSettingsWindowDelegate.h"

#include <QObject>

class AppDelegate;
class FileDialogs;
class StatusItemHost;

// The windows the status menu opens besides the control editors: the OSC settings, the
// settings file dialogs and the update check, plugged into the application controller.
class AppDialogs : public QObject, public oscSettingsWindowDelegate {
    Q_OBJECT
public:
    // Nothing is owned; all must outlive the dialogs. Install before the application launches,
    // so that the start-up update check finds its step.
    AppDialogs(AppDelegate &app, StatusItemHost &statusItem, FileDialogs &fileDialogs,
               QObject *parent = nullptr);

    UpdateCheck &updateCheck() { return m_updateCheck; }
    SettingsFileActions &settingsFile() { return m_settingsFile; }

    void closeOSCSettingsWindow() override;

private:
    void installOSCSettings();
    void installUpdateCheck(StatusItemHost &statusItem);

    AppDelegate &m_app;
    SettingsFileActions m_settingsFile;
    UpdateCheck m_updateCheck;
};
