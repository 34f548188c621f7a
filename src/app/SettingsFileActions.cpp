#include "SettingsFileActions.h"

#include "AppDelegate.h"
#include "FileDialogs.h"
#include "model/SettingsFile.h"

SettingsFileActions::SettingsFileActions(AppDelegate &app, FileDialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_dialogs(dialogs)
{
    connect(&app, &AppDelegate::saveSettingsRequested, this, &SettingsFileActions::saveSettings);
    connect(&app, &AppDelegate::loadSettingsRequested, this, &SettingsFileActions::loadSettings);
}

// Before any touch bar was chosen the first one stands for the current one.
int SettingsFileActions::currentTouchbar() const
{
    return qMax(0, m_app.presentation().userTouchbarNumber());
}

void SettingsFileActions::saveSettings()
{
    const QString path = m_dialogs.saveFileName();
    if (path.isEmpty())
        return;
    const int number = currentTouchbar();
    const TouchBar *bar = m_app.templates().userTouchBar(number);
    SettingsFile file(m_app.defaults());
    // A file that silently failed to appear would be found missing only when it is needed.
    if (!file.save(path, number, bar ? bar->defaultItemIdentifiers() : QStringList(),
                   AppDelegate::versionString()))
        m_dialogs.showError(tr("The settings could not be saved.\n%1").arg(file.lastError()));
}

void SettingsFileActions::loadSettings()
{
    const QString path = m_dialogs.openFileName();
    if (path.isEmpty())
        return;
    SettingsFile(m_app.defaults()).load(path, currentTouchbar());
    m_app.reloadTouchbar();
}
