#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

// Keeps one running copy of the program per user and preferences folder. The first start takes
// a lock file and listens on a local socket beside it; a later start finds the lock taken,
// asks the running copy over the socket to show its strip, and ends. The lock names the
// process that holds it, so a copy that crashed leaves a lock the next start takes over, and
// the socket it left behind is removed before listening again.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role { First, Second, Failed };

    // Files <directory>/<name>.lock and <directory>/<name>.socket; the directory is normally
    // $XDG_RUNTIME_DIR, private to the user.
    SingleInstance(const QString &directory, const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // First: this process runs and listens. Second: the running copy has shown its strip.
    // Failed: neither, and error says why.
    Role claim(QString *error);

    QString socketPath() const { return m_socketPath; }

    // The identifier with a short digest of what one copy stands for (its preferences file)
    // added: copies with different preferences do not meet, so a test with a home of its own
    // never finds another test's copy.
    static QString nameFor(const QString &identifier, const QString &scope);

Q_SIGNALS:
    void showRequested();

private:
    bool listen(QString *error);
    bool askRunningCopyToShow() const;
    void serve();

    QString m_directory;
    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer m_server;
};
