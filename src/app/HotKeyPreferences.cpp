#include "HotKeyPreferences.h"

#include "model/UserDefaults.h"

namespace {
// Flags live in the low 32 bits on every platform that stores them; a larger value is not one.
constexpr qint64 largestValue = 0xffffffffLL;
} // namespace

const QStringList &HotKeyPreferences::names()
{
    static const QStringList names = [] {
        QStringList list{QStringLiteral("showHide"), QStringLiteral("controlSurface")};
        for (int i = 1; i <= 9; ++i)
            list.append(QStringLiteral("switch%1").arg(i));
        return list;
    }();
    return names;
}

const QStringList &HotKeyPreferences::titles()
{
    static const QStringList titles = [] {
        QStringList list{QStringLiteral("Show/Hide Stripdeck"), QStringLiteral("Control Surface Mode")};
        for (int i = 1; i <= 9; ++i)
            list.append(QStringLiteral("Touch Bar %1").arg(i));
        return list;
    }();
    return titles;
}

std::optional<qint64> HotKeyPreferences::valueFrom(const QVariant &stored)
{
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        break;
    default:
        return std::nullopt;
    }
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    if (!ok || value < 0 || value > largestValue)
        return std::nullopt;
    return value;
}

HotKeyPreferences::HotKeyPreferences(UserDefaults &defaults)
    : m_defaults(defaults)
{
}

std::optional<qint64> HotKeyPreferences::valueForName(const QString &name) const
{
    return valueFrom(m_defaults.dictionaryForKey(QLatin1String(hotKeysKey)).value(name));
}

QList<std::optional<qint64>> HotKeyPreferences::values() const
{
    const QVariantMap stored = m_defaults.dictionaryForKey(QLatin1String(hotKeysKey));
    QList<std::optional<qint64>> values;
    for (const QString &name : names())
        values.append(valueFrom(stored.value(name)));
    return values;
}

bool HotKeyPreferences::setValues(const QList<std::optional<qint64>> &values)
{
    QVariantMap stored = m_defaults.dictionaryForKey(QLatin1String(hotKeysKey));
    for (qsizetype i = 0; i < names().size() && i < values.size(); ++i) {
        if (values[i])
            stored.insert(names()[i], *values[i]);
    }
    return m_defaults.setObject(stored, QLatin1String(hotKeysKey));
}
