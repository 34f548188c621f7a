#pragma once

#include <QByteArray>
#include <QString>

// The program's entry in the user's autostart folder, as desktops following XDG autostart
// read it: a desktop entry there named like the program's own is started with the
// session, and removing it (or marking it Hidden) stops that.
class LoginItem {
public:
    LoginItem(const QString &autostartFolder, const QString &program);
    // $XDG_CONFIG_HOME/autostart and the running program's file.
    static LoginItem standard();

    QString filePath() const;
    bool isEnabled() const;
    // Writes or removes the entry; false with the reason when the folder refuses.
    bool setEnabled(bool enabled, QString *error);

    // The entry that starts the program at login.
    static QByteArray entryFor(const QString &program);

private:
    QString m_folder;
    QString m_program;
};
