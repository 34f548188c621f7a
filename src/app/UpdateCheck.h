#pragma once

#include "checkUpdateViewController.h"
#include "newVersionViewController.h"
#include "upToDateViewController.h"
#include "updateViewControllerDelegate.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QDialog;
class QNetworkReply;
class UserDefaults;

// Asks the update server whether a newer version exists: silently at start, or in the
// foreground with a window that shows progress and the outcome.
class UpdateCheck : public QObject, public updateViewControllerDelegate {
    Q_OBJECT
public:
    static constexpr int timeoutMs = 5000;
    // The feed is a few hundred bytes; a bigger reply is not a feed.
    static constexpr qint64 maximumFeedSize = 64 * 1024;
    // Overrides the update server's address (the feed file is always the same name under it).
    static const QString serverKey;
    static const QString retrievingError;

    // The store is not owned and must outlive the check.
    UpdateCheck(UserDefaults &defaults, const QString &ownVersion, QObject *parent = nullptr);
    ~UpdateCheck() override;

    QUrl feedUrl() const;
    float ownVersion() const { return m_ownVersion; }
    float onlineVersion() const { return m_onlineVersion; }
    QString downloadURL() const { return m_downloadURL; }
    bool isCheckingForUpate() const { return m_isCheckingForUpate; }
    void setUrlOpener(newVersionViewController::UrlOpener opener) { m_urlOpener = std::move(opener); }

    // The open windows, or null.
    checkUpdateViewController *updateViewController() const { return m_updateViewController; }
    upToDateViewController *upToDateWindow() const { return m_upToDateWindow; }
    newVersionViewController *offerWindow() const { return m_offerWindow; }

    void checkForUpdate();
    void startUpdateCheckBackground();
    void startUpdateCheckForeground() override;
    void cancelUpdateCheckForeground() override;
    void showUpdateAvailable();
    void showError(const QString &error);

Q_SIGNALS:
    // A foreground check began (true) or its last window closed (false).
    void foregroundCheckRunning(bool running);

private:
    QNetworkReply *startDownload();
    void downloadFinished(QNetworkReply *reply);
    static QString errorText(const QNetworkReply &reply);
    void checkWindowFinished(int code);
    void showOffer(bool endsCheck);
    void endCheckWith(QDialog *window);
    void endForegroundCheck();
    static void present(QDialog *window);

    UserDefaults &m_defaults;
    QNetworkAccessManager m_network;
    float m_ownVersion;
    QString m_ownVersionString;
    float m_onlineVersion = 0;
    QString m_downloadURL;
    QPointer<QNetworkReply> m_downloadVersionBackgroundTask;
    QPointer<QNetworkReply> m_downloadVersionForegroundTask;
    bool m_isCheckingForUpate = false;
    QPointer<checkUpdateViewController> m_updateViewController;
    QPointer<upToDateViewController> m_upToDateWindow;
    QPointer<newVersionViewController> m_offerWindow;
    newVersionViewController::UrlOpener m_urlOpener;
};
