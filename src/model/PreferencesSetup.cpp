#include "PreferencesSetup.h"

#include "ControlCatalog.h"
#include "UserDefaults.h"

PreferencesSetup::PreferencesSetup(UserDefaults &store)
    : m_store(store)
{
}

QStringList PreferencesSetup::mergedKeyPaths()
{
    QStringList paths{ControlCatalog::defaultControlMapKey()};
    for (int bar = 0; bar < ControlCatalog::userTouchBarCount; ++bar)
        paths.append(ControlCatalog::controlMapKey(bar));
    return paths;
}

void PreferencesSetup::setupUserPreferences(const QVariantMap &defaults)
{
    const QString empty;
    m_store.registerDefaults({{QStringLiteral("MidiInDevice"), empty},
                              {QStringLiteral("MidiInPort"), empty},
                              {QStringLiteral("MidiOutDevice"), empty},
                              {QStringLiteral("MidiOutPort"), empty}});
    m_store.registerDefaults(defaults);
    for (const QString &path : mergedKeyPaths())
        updatePrefsKeypath(path, defaults);
}

static QVariant valueAtPath(const QVariantMap &root, const QString &keyPath)
{
    const QStringList parts = keyPath.split(QLatin1Char('.'));
    QVariant value = root.value(parts.first());
    for (qsizetype i = 1; i < parts.size(); ++i)
        value = value.toMap().value(parts.at(i));
    return value;
}

void PreferencesSetup::updatePrefsKeypath(const QString &keyPath, const QVariantMap &defaults)
{
    if (m_store.valueForKeyPath(keyPath).typeId() != QMetaType::QVariantMap)
        return;
    // A default that is not a dictionary where the store has one adds nothing.
    const QVariantMap defaultsHere = valueAtPath(defaults, keyPath).toMap();
    for (auto it = defaultsHere.cbegin(); it != defaultsHere.cend(); ++it) {
        const QString childPath = keyPath + QLatin1Char('.') + it.key();
        const QVariant stored = m_store.valueForKeyPath(childPath);
        if (stored.typeId() == QMetaType::QVariantMap)
            updatePrefsKeypath(childPath, defaults);
        else if (!stored.isValid())
            addMissing(keyPath, it.key(), it.value());
    }
}

// Nested values cannot be written in place: copy the top-level value, rebuild the path
// down to the missing key, and write the whole top-level value back.
void PreferencesSetup::addMissing(const QString &keyPath, const QString &key, const QVariant &value)
{
    const QStringList parts = keyPath.split(QLatin1Char('.'));
    QList<QVariantMap> copies;
    QString path;
    for (const QString &part : parts) {
        path = path.isEmpty() ? part : path + QLatin1Char('.') + part;
        copies.append(m_store.valueForKeyPath(path).toMap());
    }
    copies.last().insert(key, value);
    for (qsizetype i = copies.size() - 1; i > 0; --i)
        copies[i - 1].insert(parts.at(i), copies.at(i));
    m_store.setObject(copies.first(), parts.first());
}
