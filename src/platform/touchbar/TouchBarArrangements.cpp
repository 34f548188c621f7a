#include "TouchBarArrangements.h"

#include "model/ControlCatalog.h"
#include "model/UserDefaults.h"

namespace {
const QString currentItemsKey = QStringLiteral("CurrentItems");
}

TouchBarArrangements::TouchBarArrangements(UserDefaults &defaults)
    : m_defaults(defaults)
{
}

std::optional<QStringList> TouchBarArrangements::currentItems(const QString &customizationIdentifier) const
{
    const QVariant stored = m_defaults.objectForKey(ControlCatalog::customizationKey(customizationIdentifier))
                                .toMap()
                                .value(currentItemsKey);
    if (stored.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList items;
    for (const QVariant &entry : stored.toList()) {
        // A list with anything but identifiers was not written by a palette; the defaults are
        // safer.
        if (entry.typeId() != QMetaType::QString)
            return std::nullopt;
        items.append(entry.toString());
    }
    return items;
}

bool TouchBarArrangements::setCurrentItems(const QString &customizationIdentifier, const QStringList &items)
{
    const QString key = ControlCatalog::customizationKey(customizationIdentifier);
    QVariantMap record = m_defaults.objectForKey(key).toMap();
    record.insert(currentItemsKey, QVariant(items).toList());
    return m_defaults.setObject(record, key);
}
