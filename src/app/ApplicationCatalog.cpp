#include "ApplicationCatalog.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString desktopSuffix = QStringLiteral(".desktop");

// The desktop-file id: the path below the applications directory with "/" as "-".
QString identifierFor(const QString &directory, const QString &filePath)
{
    QString relative = QDir(directory).relativeFilePath(filePath);
    relative.chop(desktopSuffix.size());
    return relative.replace(u'/', u'-');
}

std::optional<DesktopEntry> readEntry(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return DesktopEntry::parse(file.read(DesktopEntry::maximumSize), QLocale().name());
}

} // namespace

ApplicationCatalog::ApplicationCatalog()
    : ApplicationCatalog(QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
{
}

ApplicationCatalog::ApplicationCatalog(QStringList directories)
    : m_directories(std::move(directories))
{
    refresh();
}

QList<QDateTime> ApplicationCatalog::directoryTimes() const
{
    QList<QDateTime> times;
    for (const QString &directory : m_directories)
        times.append(QFileInfo(directory).lastModified());
    return times;
}

void ApplicationCatalog::refresh()
{
    m_readTimes = directoryTimes();
    m_applications.clear();
    // An entry of an earlier directory hides every later one of the same id, also when it is
    // marked hidden: that is how a user removes a system application from view.
    QMap<QString, std::optional<DesktopEntry>> seen;
    for (const QString &directory : m_directories) {
        QDirIterator files(directory, {QLatin1Char('*') + desktopSuffix}, QDir::Files | QDir::Readable,
                           QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (files.hasNext()) {
            const QString filePath = files.next();
            const QString identifier = identifierFor(directory, filePath);
            if (!seen.contains(identifier))
                seen.insert(identifier, readEntry(filePath));
        }
    }
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        if (it.value() && it.value()->isApplication() && !it.value()->hidden)
            m_applications.insert(it.key(), *it.value());
    }
}

void ApplicationCatalog::refreshIfChanged()
{
    if (directoryTimes() != m_readTimes)
        refresh();
}

std::optional<ApplicationCatalog::Application>
ApplicationCatalog::application(const QString &identifier) const
{
    const auto it = m_applications.constFind(identifier);
    if (it == m_applications.cend())
        return std::nullopt;
    return Application{it.key(), it.value()};
}

QList<ApplicationCatalog::Application> ApplicationCatalog::listedApplications() const
{
    QList<Application> listed;
    for (auto it = m_applications.cbegin(); it != m_applications.cend(); ++it) {
        if (!it.value().noDisplay)
            listed.append({it.key(), it.value()});
    }
    std::stable_sort(listed.begin(), listed.end(), [](const Application &a, const Application &b) {
        return QString::localeAwareCompare(a.entry.name, b.entry.name) < 0;
    });
    return listed;
}

std::optional<ApplicationCatalog::Application>
ApplicationCatalog::findByStartupWMClass(const QString &windowClass) const
{
    for (auto it = m_applications.cbegin(); it != m_applications.cend(); ++it) {
        if (it.value().startupWMClass == windowClass)
            return Application{it.key(), it.value()};
    }
    return std::nullopt;
}

std::optional<ApplicationCatalog::Application>
ApplicationCatalog::findByIdentifierIgnoringCase(const QString &windowClass) const
{
    for (auto it = m_applications.cbegin(); it != m_applications.cend(); ++it) {
        if (it.key().compare(windowClass, Qt::CaseInsensitive) == 0)
            return Application{it.key(), it.value()};
    }
    return std::nullopt;
}

QString ApplicationCatalog::identifierForWindowClass(const QString &instance, const QString &className) const
{
    QStringList classes;
    for (const QString &name : {className, instance}) {
        if (!name.isEmpty())
            classes.append(name);
    }
    for (const QString &name : classes) {
        if (const auto found = findByStartupWMClass(name))
            return found->identifier;
    }
    for (const QString &name : classes) {
        if (const auto found = findByIdentifierIgnoringCase(name))
            return found->identifier;
    }
    return classes.value(0);
}

QString ApplicationCatalog::identifierForWmClass(QByteArrayView property) const
{
    const qsizetype end = property.indexOf('\0');
    const QByteArrayView instance = end < 0 ? property : property.first(end);
    QByteArrayView className = end < 0 ? QByteArrayView() : property.sliced(end + 1);
    if (const qsizetype classEnd = className.indexOf('\0'); classEnd >= 0)
        className = className.first(classEnd);
    return identifierForWindowClass(QString::fromUtf8(instance), QString::fromUtf8(className));
}

QIcon ApplicationCatalog::icon(const DesktopEntry &entry)
{
    if (entry.icon.startsWith(u'/'))
        return QIcon(entry.icon);
    return QIcon::fromTheme(entry.icon);
}
