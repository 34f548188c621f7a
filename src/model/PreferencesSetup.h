#pragma once

#include <QString>
#include <QVariantMap>

class UserDefaults;

// The start-up merge: registers the defaults and adds to the stored control maps every
// setting a newer defaults resource has and the stored maps lack, without ever replacing
// a stored value.
class PreferencesSetup {
public:
    explicit PreferencesSetup(UserDefaults &store);

    // defaults: the whole defaults resource; empty when it could not be read.
    void setupUserPreferences(const QVariantMap &defaults);
    void updatePrefsKeypath(const QString &keyPath, const QVariantMap &defaults);

    // The ten merged control map keys, in merge order.
    static QStringList mergedKeyPaths();

private:
    void addMissing(const QString &keyPath, const QString &key, const QVariant &value);

    UserDefaults &m_store;
};
