#pragma once

#include "DesktopEntry.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QIcon>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The applications installed as desktop entries under the XDG data directories, known by their
// desktop-file id without ".desktop" ("org.example.App"); that id is the application identifier
// the attachment records hold.
class ApplicationCatalog {
public:
    struct Application {
        QString identifier;
        DesktopEntry entry;
    };

    // Reads the applications directories of the user and of the system, the user's first.
    ApplicationCatalog();
    // Reads the given directories instead, earlier ones taking precedence.
    explicit ApplicationCatalog(QStringList directories);

    void refresh();
    // Reads the directories again when one of them changed since the last reading, so an
    // application installed while the program runs is found.
    void refreshIfChanged();

    std::optional<Application> application(const QString &identifier) const;
    // What a user may pick from: applications not marked to be left out of menus, by name.
    QList<Application> listedApplications() const;
    // The identifier of the application a window belongs to, from the window's WM_CLASS: the
    // entry whose StartupWMClass names the class (or the instance), else the entry whose id is the
    // class (or the instance) in any case, else the class itself.
    QString identifierForWindowClass(const QString &instance, const QString &className) const;
    // The same from the raw WM_CLASS property as another client set it: instance and class, each
    // ended by a NUL byte (a missing last NUL is tolerated).
    QString identifierForWmClass(QByteArrayView property) const;

    // The entry's icon: a theme name or an absolute file path.
    static QIcon icon(const DesktopEntry &entry);

private:
    QList<QDateTime> directoryTimes() const;
    std::optional<Application> findByStartupWMClass(const QString &windowClass) const;
    std::optional<Application> findByIdentifierIgnoringCase(const QString &windowClass) const;

    QStringList m_directories;
    QList<QDateTime> m_readTimes;
    QMap<QString, DesktopEntry> m_applications;
};
