#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

class UserDefaults;

// The exported settings of one user touch bar: its control map under "ControllerConfig", its
// arrangement under "NSTouchBarConfig" and the version that wrote it, as an XML property list.
class SettingsFile {
public:
    explicit SettingsFile(UserDefaults &store);

    // The file's content for the touch bar; a bar never rearranged gets its default items.
    QVariantMap contentFor(int userTouchbarNumber, const QStringList &defaultItems,
                           const QString &version) const;
    // Writes atomically; false (with lastError) when the file could not be written.
    bool save(const QString &path, int userTouchbarNumber, const QStringList &defaultItems,
              const QString &version);

    // Replaces the touch bar's control map and arrangement by what the file holds. A file that
    // is not a property-list dictionary changes nothing and returns false.
    bool load(const QString &path, int userTouchbarNumber);
    bool apply(const QVariantMap &content, int userTouchbarNumber);

    QString lastError() const { return m_lastError; }

private:
    UserDefaults &m_store;
    QString m_lastError;
};
