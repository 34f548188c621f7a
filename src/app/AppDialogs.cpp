#include "AppDialogs.h"

#include "AppDelegate.h"
#include "OSCSettingsViewController.h"
#include "StatusItemHost.h"

AppDialogs::AppDialogs(AppDelegate &app, StatusItemHost &statusItem, FileDialogs &fileDialogs,
                       QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_settingsFile(app, fileDialogs)
    , m_updateCheck(app.defaults(), AppDelegate::versionString())
{
    installOSCSettings();
    installUpdateCheck(statusItem);
}

void AppDialogs::installOSCSettings()
{
    m_app.settingsWindows().setContentFactory(SettingsWindows::Kind::OSC, [this] {
        OSCController &osc = m_app.osc();
        auto *window = new OSCSettingsViewController(m_app.defaults(), osc.server(), osc.client());
        window->setDelegate(this);
        connect(&osc, &OSCController::logLine, window, &OSCSettingsViewController::writeIntoLog);
        return window;
    });
}

void AppDialogs::closeOSCSettingsWindow()
{
    m_app.closeOSCSettingsWindow();
}

void AppDialogs::installUpdateCheck(StatusItemHost &statusItem)
{
    m_app.setLaunchStep(AppDelegate::LaunchStep::StartUpdateCheck,
                        [this] { m_updateCheck.startUpdateCheckBackground(); });
    connect(&m_app, &AppDelegate::checkForUpdateRequested, &m_updateCheck, &UpdateCheck::checkForUpdate);
    connect(&m_updateCheck, &UpdateCheck::foregroundCheckRunning, this, [this, &statusItem](bool running) {
        m_app.setCheckingForUpate(running);
        statusItem.setVisible(!running);
    });
}
