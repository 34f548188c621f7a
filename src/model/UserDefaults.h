#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// The program's two-layer key-value store.
//
// The registration layer is rebuilt at every start and never written; the user layer is
// persisted as an XML property list. A read of a top-level key gives the user layer's value,
// else the registered one, else an invalid QVariant. Layers combine per top-level key only:
// a stored dictionary hides the whole registered dictionary of the same key.
class UserDefaults : public QObject {
    Q_OBJECT
public:
    // Opens the store persisted at filePath and loads it. A file that cannot be read is renamed
    // aside with a timestamp, never overwritten, and the store starts empty.
    explicit UserDefaults(const QString &filePath, QObject *parent = nullptr);

    // $XDG_CONFIG_HOME/stripdeck/xq.korvane.Stripdeck.plist
    static QString standardFilePath();

    void registerDefaults(const QVariantMap &defaults);

    QVariant objectForKey(const QString &key) const;
    // Follows "."-separated dictionary keys from a top-level key.
    QVariant valueForKeyPath(const QString &keyPath) const;
    QString stringForKey(const QString &key) const;
    qint64 integerForKey(const QString &key) const;
    bool boolForKey(const QString &key) const;
    QVariantMap dictionaryForKey(const QString &key) const;

    // Writes a top-level key of the user layer and persists the whole layer at once.
    // Returns false when the file could not be written; the value is kept in memory then.
    bool setObject(const QVariant &value, const QString &key);
    bool removeObjectForKey(const QString &key);

    QString filePath() const { return m_filePath; }
    // Where an unreadable file was moved at start, or empty.
    QString movedAsidePath() const { return m_movedAsidePath; }
    // The failing call and its reason, for the last load or write that failed.
    QString lastError() const { return m_lastError; }

Q_SIGNALS:
    void valueChanged(const QString &key);

private:
    void load();
    void moveAside();
    bool persist();

    QString m_filePath;
    QString m_movedAsidePath;
    QString m_lastError;
    QVariantMap m_registered;
    QVariantMap m_user;
    // Set when an unreadable file could not be moved aside: writing would destroy it.
    bool m_persistenceDisabled = false;
};
