#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;

// Offers the newer version: "download" opens its address, "cancel" just closes.
class newVersionViewController : public QDialog {
    Q_OBJECT
public:
    // Opens an address with the system's default handler; false when there is none.
    using UrlOpener = std::function<bool(const QUrl &)>;

    newVersionViewController(float onlineVersion, const QString &downloadURL, UrlOpener opener,
                             QWidget *parent = nullptr);

    QLabel *infoText() const { return m_infoText; }
    float onlineVersion() const { return m_onlineVersion; }
    QString downloadURL() const { return m_downloadURL; }

    void download();
    void cancel() { reject(); }

private:
    QLabel *m_infoText;
    float m_onlineVersion;
    QString m_downloadURL;
    UrlOpener m_opener;
};
