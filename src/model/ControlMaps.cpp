#include "ControlMaps.h"

#include "ColorArchive.h"
#include "ControlCatalog.h"
#include "UserDefaults.h"

ControlMaps::ControlMaps(UserDefaults &store)
    : m_store(store)
{
}

QString ControlMaps::storeKey(int userTouchbarNumber)
{
    if (userTouchbarNumber < 0)
        return ControlCatalog::defaultControlMapKey();
    return ControlCatalog::controlMapKey(userTouchbarNumber);
}

QVariantMap ControlMaps::controlMap(int userTouchbarNumber) const
{
    return m_store.dictionaryForKey(storeKey(userTouchbarNumber));
}

ControlSettings ControlMaps::record(int userTouchbarNumber, const QString &openGroup,
                                    const QString &controlName) const
{
    QVariantMap scope = controlMap(userTouchbarNumber);
    if (!openGroup.isEmpty())
        scope = scope.value(openGroup).toMap();
    return ControlSettings(scope.value(controlName).toMap());
}

QString ControlMaps::groupLabel(int userTouchbarNumber, const QString &groupName) const
{
    return m_store
        .valueForKeyPath(storeKey(userTouchbarNumber) + QLatin1Char('.') + groupName +
                         QStringLiteral(".label"))
        .toString();
}

std::optional<QColor> ControlMaps::groupColor(int userTouchbarNumber, const QString &groupName) const
{
    return ColorArchive::unarchive(m_store.valueForKeyPath(storeKey(userTouchbarNumber) + QLatin1Char('.') +
                                                           groupName + QStringLiteral(".color")));
}

bool ControlMaps::writeRecord(int userTouchbarNumber, const QString &group, const QString &controlName,
                              const QVariantMap &record)
{
    QVariantMap map = controlMap(userTouchbarNumber);
    if (group.isEmpty()) {
        map.insert(controlName, record);
    } else {
        QVariantMap groupRecord = map.value(group).toMap();
        groupRecord.insert(controlName, record);
        map.insert(group, groupRecord);
    }
    return m_store.setObject(map, storeKey(userTouchbarNumber));
}
