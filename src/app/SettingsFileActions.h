#pragma once

#include <QObject>

class AppDelegate;
class FileDialogs;

// "Save Touchbar Settings..." and "Load Touchbar Settings...": the current user touch bar's
// controls and arrangement to and from a file.
class SettingsFileActions : public QObject {
    Q_OBJECT
public:
    // Neither is owned; both must outlive the actions.
    SettingsFileActions(AppDelegate &app, FileDialogs &dialogs, QObject *parent = nullptr);

    void saveSettings();
    void loadSettings();

private:
    int currentTouchbar() const;

    AppDelegate &m_app;
    FileDialogs &m_dialogs;
};
