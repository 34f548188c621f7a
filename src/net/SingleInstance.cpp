#include "SingleInstance.h"

#include "InstanceRequest.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

// A running copy answers at once; the patience covers one that is still starting, holding the
// lock but not yet listening.
constexpr int claimMs = 5000;
constexpr int answerMs = 2000;
// A connection that says nothing is dropped after this long.
constexpr int idleConnectionMs = 5000;

} // namespace

SingleInstance::SingleInstance(const QString &directory, const QString &name, QObject *parent)
    : QObject(parent)
    , m_directory(directory)
    , m_socketPath(directory + QLatin1Char('/') + name + QStringLiteral(".socket"))
    , m_lock(directory + QLatin1Char('/') + name + QStringLiteral(".lock"))
{
    // Age alone never makes the lock stale: a copy may run for weeks. A lock whose process is
    // gone is stale all the same.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
}

QString SingleInstance::nameFor(const QString &identifier, const QString &scope)
{
    const QByteArray digest = QCryptographicHash::hash(scope.toUtf8(), QCryptographicHash::Sha256);
    return identifier + QLatin1Char('-') + QString::fromLatin1(digest.toHex().left(12));
}

SingleInstance::~SingleInstance()
{
    m_server.close();
}

SingleInstance::Role SingleInstance::claim(QString *error)
{
    if (!QDir().mkpath(m_directory)) {
        *error = QStringLiteral("cannot create %1").arg(m_directory);
        return Role::Failed;
    }
    const QDeadlineTimer deadline(claimMs);
    for (;;) {
        if (m_lock.tryLock(0))
            return listen(error) ? Role::First : Role::Failed;
        if (m_lock.error() != QLockFile::LockFailedError) {
            *error = QStringLiteral("cannot create the lock file %1").arg(m_lock.fileName());
            return Role::Failed;
        }
        if (askRunningCopyToShow())
            return Role::Second;
        if (deadline.hasExpired()) {
            *error = QStringLiteral("another Stripdeck holds %1 but does not answer on %2")
                         .arg(m_lock.fileName(), m_socketPath);
            return Role::Failed;
        }
        QThread::msleep(100);
    }
}

bool SingleInstance::listen(QString *error)
{
    // Whatever socket is there was left by a copy that is gone: we hold the lock.
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(m_socketPath))
        return true;
    *error = QStringLiteral("cannot listen on %1: %2").arg(m_socketPath, m_server.errorString());
    m_lock.unlock();
    return false;
}

bool SingleInstance::askRunningCopyToShow() const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(answerMs))
        return false;
    socket.write(InstanceRequest::encode(InstanceRequest::Kind::Show));
    if (!socket.waitForBytesWritten(answerMs))
        return false;
    const QByteArray expected = InstanceRequest::acknowledgement();
    QByteArray answer;
    const QDeadlineTimer deadline(answerMs);
    while (answer.size() < expected.size() && !deadline.hasExpired()) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer.append(socket.read(expected.size() - answer.size()));
    }
    return answer == expected;
}

void SingleInstance::serve()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(idleConnectionMs, socket, &QLocalSocket::abort);
        auto reader = std::make_shared<InstanceRequest>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader] {
            const QByteArray bytes = socket->read(InstanceRequest::maximumLineLength + 1);
            const std::optional<InstanceRequest::Kind> request = reader->feed(bytes);
            if (reader->failed()) {
                socket->abort();
                return;
            }
            if (!request)
                return;
            Q_EMIT showRequested();
            socket->write(InstanceRequest::acknowledgement());
            socket->disconnectFromServer();
        });
    }
}
