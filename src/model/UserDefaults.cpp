#include "UserDefaults.h"

#include "PropertyList.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

UserDefaults::UserDefaults(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
{
    load();
}

QString UserDefaults::standardFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/stripdeck/xq.korvane.Stripdeck.plist");
}

void UserDefaults::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("open(%1): %2").arg(m_filePath, file.errorString());
        moveAside();
        return;
    }
    const std::optional<QVariant> content = PropertyList::fromData(file.readAll());
    file.close();
    if (!content || content->typeId() != QMetaType::QVariantMap) {
        m_lastError = QStringLiteral("%1 is not a property-list dictionary").arg(m_filePath);
        moveAside();
        return;
    }
    m_user = content->toMap();
}

void UserDefaults::moveAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = QStringLiteral("%1.unreadable-%2").arg(m_filePath, stamp);
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = QStringLiteral("%1.unreadable-%2-%3").arg(m_filePath, stamp).arg(n);
    if (QFile::rename(m_filePath, target)) {
        m_movedAsidePath = target;
        return;
    }
    m_persistenceDisabled = true;
    m_lastError += QStringLiteral("; rename to %1 failed, changes stay in memory").arg(target);
}

void UserDefaults::registerDefaults(const QVariantMap &defaults)
{
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        m_registered.insert(it.key(), it.value());
}

QVariant UserDefaults::objectForKey(const QString &key) const
{
    auto stored = m_user.constFind(key);
    if (stored != m_user.cend())
        return *stored;
    return m_registered.value(key);
}

QVariant UserDefaults::valueForKeyPath(const QString &keyPath) const
{
    const QStringList parts = keyPath.split(QLatin1Char('.'));
    QVariant value = objectForKey(parts.first());
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (value.typeId() != QMetaType::QVariantMap)
            return {};
        value = value.toMap().value(parts.at(i));
    }
    return value;
}

QString UserDefaults::stringForKey(const QString &key) const
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

qint64 UserDefaults::integerForKey(const QString &key) const
{
    return objectForKey(key).toLongLong();
}

bool UserDefaults::boolForKey(const QString &key) const
{
    return objectForKey(key).toBool();
}

QVariantMap UserDefaults::dictionaryForKey(const QString &key) const
{
    return objectForKey(key).toMap();
}

bool UserDefaults::setObject(const QVariant &value, const QString &key)
{
    if (!value.isValid())
        return removeObjectForKey(key);
    m_user.insert(key, value);
    const bool written = persist();
    Q_EMIT valueChanged(key);
    return written;
}

bool UserDefaults::removeObjectForKey(const QString &key)
{
    if (m_user.remove(key) == 0)
        return true;
    const bool written = persist();
    Q_EMIT valueChanged(key);
    return written;
}

// QSaveFile writes a sibling temporary file and renames it over the target, so a crash at
// any moment leaves either the previous file or the new one on disk.
bool UserDefaults::persist()
{
    if (m_persistenceDisabled)
        return false;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        m_lastError = QStringLiteral("open(%1): %2").arg(m_filePath, file.errorString());
        return false;
    }
    file.write(PropertyList::toXml(m_user));
    if (!file.commit()) {
        m_lastError = QStringLiteral("commit(%1): %2").arg(m_filePath, file.errorString());
        return false;
    }
    return true;
}
