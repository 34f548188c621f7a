#include "SettingsFile.h"

#include "ControlCatalog.h"
#include "PropertyList.h"
#include "UserDefaults.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QString controllerConfigKey = QStringLiteral("ControllerConfig");
const QString touchBarConfigKey = QStringLiteral("NSTouchBarConfig");

} // namespace

SettingsFile::SettingsFile(UserDefaults &store)
    : m_store(store)
{
}

QVariantMap SettingsFile::contentFor(int userTouchbarNumber, const QStringList &defaultItems,
                                     const QString &version) const
{
    QVariantMap content;
    const QVariant controlMap = m_store.objectForKey(ControlCatalog::controlMapKey(userTouchbarNumber));
    if (controlMap.isValid())
        content.insert(controllerConfigKey, controlMap);
    const QVariant arrangement = m_store.objectForKey(ControlCatalog::customizationKey(userTouchbarNumber));
    if (arrangement.isValid())
        content.insert(touchBarConfigKey, arrangement);
    else
        content.insert(touchBarConfigKey, QVariantMap{{QStringLiteral("CurrentItems"), defaultItems}});
    content.insert(QStringLiteral("version"), version);
    return content;
}

bool SettingsFile::save(const QString &path, int userTouchbarNumber, const QStringList &defaultItems,
                        const QString &version)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_lastError = QStringLiteral("open(%1): %2").arg(path, file.errorString());
        return false;
    }
    file.write(PropertyList::toXml(contentFor(userTouchbarNumber, defaultItems, version)));
    if (!file.commit()) {
        m_lastError = QStringLiteral("commit(%1): %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool SettingsFile::load(const QString &path, int userTouchbarNumber)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("open(%1): %2").arg(path, file.errorString());
        return false;
    }
    const std::optional<QVariant> content = PropertyList::fromData(file.readAll());
    if (!content || content->typeId() != QMetaType::QVariantMap) {
        m_lastError = QStringLiteral("%1 is not a property-list dictionary").arg(path);
        return false;
    }
    return apply(content->toMap(), userTouchbarNumber);
}

// The stored map is replaced, not merged: controls the file lacks come back only through
// the merge at the next start. Only dictionaries are taken: anything else in their place would
// wipe the touch bar's settings for good, since the merge never replaces a stored value.
bool SettingsFile::apply(const QVariantMap &content, int userTouchbarNumber)
{
    bool written = true;
    const QVariant controlMap = content.value(controllerConfigKey);
    if (controlMap.typeId() == QMetaType::QVariantMap)
        written = m_store.setObject(controlMap, ControlCatalog::controlMapKey(userTouchbarNumber)) && written;
    const QVariant arrangement = content.value(touchBarConfigKey);
    if (arrangement.typeId() == QMetaType::QVariantMap) {
        // The default items belong to the program, not to a file: they are never stored.
        QVariantMap copy = arrangement.toMap();
        copy.remove(QStringLiteral("DefaultItems"));
        written = m_store.setObject(copy, ControlCatalog::customizationKey(userTouchbarNumber)) && written;
    }
    if (!written)
        m_lastError = m_store.lastError();
    return written;
}
