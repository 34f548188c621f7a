#include "UpdateCheck.h"

#include "UpdateFeed.h"
#include "model/UserDefaults.h"

#include <QDesktopServices>
#include <QNetworkReply>
#include <QTimer>

#include <utility>

namespace {
const QString defaultServer = QStringLiteral("https://korvane.xq/stripdeck");
const QString feedFile = QStringLiteral("/stripdeck-version.xml");
const char tooLargeProperty[] = "stripdeckTooLarge";

enum CheckOutcome { Cancelled = 0, NewerVersion = 1, UpToDate = 2 };
} // namespace

const QString UpdateCheck::serverKey = QStringLiteral("UpdateServer");
const QString UpdateCheck::retrievingError = QStringLiteral("There was an error retreiving the data.");

UpdateCheck::UpdateCheck(UserDefaults &defaults, const QString &ownVersion, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_ownVersion(UpdateFeed::versionNumber(ownVersion))
    , m_ownVersionString(ownVersion)
    , m_urlOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
}

UpdateCheck::~UpdateCheck()
{
    for (QWidget *window :
         std::initializer_list<QWidget *>{m_updateViewController, m_upToDateWindow, m_offerWindow})
        delete window;
}

QUrl UpdateCheck::feedUrl() const
{
    QString server = m_defaults.stringForKey(serverKey);
    if (server.isEmpty())
        server = defaultServer;
    while (server.endsWith(QLatin1Char('/')))
        server.chop(1);
    return QUrl(server + feedFile);
}

void UpdateCheck::checkForUpdate()
{
    if (m_isCheckingForUpate)
        return;
    m_isCheckingForUpate = true;
    Q_EMIT foregroundCheckRunning(true);
    auto *window = new checkUpdateViewController(*this);
    m_updateViewController = window;
    connect(window, &QDialog::finished, this, &UpdateCheck::checkWindowFinished);
    present(window);
}

void UpdateCheck::startUpdateCheckBackground()
{
    if (!m_downloadVersionBackgroundTask)
        m_downloadVersionBackgroundTask = startDownload();
}

void UpdateCheck::startUpdateCheckForeground()
{
    if (!m_downloadVersionForegroundTask)
        m_downloadVersionForegroundTask = startDownload();
}

void UpdateCheck::cancelUpdateCheckForeground()
{
    // Forgotten before the abort, so that its completion is not taken for an outcome.
    if (QNetworkReply *reply = std::exchange(m_downloadVersionForegroundTask, nullptr))
        reply->abort();
    if (m_updateViewController)
        m_updateViewController->done(Cancelled);
}

QNetworkReply *UpdateCheck::startDownload()
{
    QNetworkRequest request(feedUrl());
    // Between two pieces of data, and below for the whole request.
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = m_network.get(request);
    QTimer::singleShot(timeoutMs, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > maximumFeedSize) {
            reply->setProperty(tooLargeProperty, true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { downloadFinished(reply); });
    return reply;
}

void UpdateCheck::downloadFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    const bool foreground = reply == m_downloadVersionForegroundTask;
    if (foreground)
        m_downloadVersionForegroundTask = nullptr;
    else if (reply == m_downloadVersionBackgroundTask)
        m_downloadVersionBackgroundTask = nullptr;
    else
        return;

    const bool tooLarge = reply->property(tooLargeProperty).toBool();
    if (reply->error() != QNetworkReply::NoError && !tooLarge) {
        // A background check has no window: its failure goes nowhere.
        if (foreground)
            showError(errorText(*reply));
        return;
    }
    const UpdateFeed feed = tooLarge ? UpdateFeed() : UpdateFeed::fromData(reply->read(maximumFeedSize));
    m_onlineVersion = feed.version();
    const bool newer = m_ownVersion < m_onlineVersion;
    if (newer)
        m_downloadURL = feed.url();
    if (!foreground) {
        if (newer)
            showUpdateAvailable();
    } else if (m_onlineVersion == 0) {
        showError(retrievingError);
    } else if (m_updateViewController) {
        m_updateViewController->done(newer ? NewerVersion : UpToDate);
    }
}

// A cancelled check's reply is forgotten before it is aborted, so an abort seen here is one of
// the time-outs; Qt reports those as "Operation canceled", which would tell the user nothing.
QString UpdateCheck::errorText(const QNetworkReply &reply)
{
    switch (reply.error()) {
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return tr("The request timed out.");
    default:
        return reply.errorString();
    }
}

void UpdateCheck::checkWindowFinished(int code)
{
    // An ended window no longer belongs to the check, though Qt deletes it only later.
    m_updateViewController = nullptr;
    if (QNetworkReply *reply = std::exchange(m_downloadVersionForegroundTask, nullptr))
        reply->abort();
    switch (code) {
    case NewerVersion:
        showOffer(true);
        break;
    case UpToDate:
        m_upToDateWindow = new upToDateViewController(m_ownVersionString);
        endCheckWith(m_upToDateWindow);
        present(m_upToDateWindow);
        break;
    default:
        endForegroundCheck();
    }
}

void UpdateCheck::showUpdateAvailable()
{
    showOffer(false);
}

void UpdateCheck::showOffer(bool endsCheck)
{
    if (!m_offerWindow) {
        m_offerWindow = new newVersionViewController(m_onlineVersion, m_downloadURL, m_urlOpener);
        present(m_offerWindow);
    }
    if (endsCheck)
        endCheckWith(m_offerWindow);
}

void UpdateCheck::showError(const QString &error)
{
    if (m_updateViewController)
        m_updateViewController->logError(error);
}

void UpdateCheck::endForegroundCheck()
{
    m_isCheckingForUpate = false;
    Q_EMIT foregroundCheckRunning(false);
}

void UpdateCheck::endCheckWith(QDialog *window)
{
    connect(window, &QDialog::finished, this, &UpdateCheck::endForegroundCheck);
}

void UpdateCheck::present(QDialog *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowStaysOnTopHint);
    window->resize(window->sizeHint().expandedTo(QSize(200, 100)));
    window->open();
    window->raise();
    window->activateWindow();
}
