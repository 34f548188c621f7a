#include "app/UpdateCheck.h"
#include "AppDelegateTestSupport.h"
#include "app/checkUpdateViewController.h"
#include "app/newVersionViewController.h"
#include "app/upToDateViewController.h"

#include <QLabel>
#include <QProgressBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// A web server on loopback that answers every request with one fixed HTTP reply, or, silent,
// keeps the connection open and never answers.
class FeedServer : public QTcpServer {
public:
    explicit FeedServer(bool silent = false)
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this, silent] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket, silent] {
                    m_request += socket->readAll();
                    if (!m_request.contains("\r\n\r\n") || (++m_requests, silent))
                        return;
                    socket->write(m_reply);
                    socket->disconnectFromHost();
                });
        });
    }
    void setReply(const QByteArray &body, int status = 200, const QByteArray &reason = {})
    {
        m_reply = "HTTP/1.1 " + QByteArray::number(status) + ' ' +
                  (!reason.isEmpty() ? reason : QByteArray(status == 200 ? "OK" : "Not Found")) +
                  "\r\nContent-Type: text/xml\r\nConnection: close\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    int requests() const { return m_requests; }

private:
    QByteArray m_reply;
    QByteArray m_request;
    int m_requests = 0;
};

QByteArray feed(const QByteArray &entries)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + entries +
           "</dict></plist>\n";
}

const QString retrieving = QStringLiteral("There was an error retreiving the data.");

// The program's own version is 0.1.0, read as 0.1.
class UpdateCheckTest : public DialogsFixture {
protected:
    FeedServer server;
    QList<QUrl> openedUrls;

    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        defaults.setObject(server.base(), UpdateCheck::serverKey);
        check().setUrlOpener([this](const QUrl &url) { return openedUrls.append(url), true; });
        DialogsFixture::SetUp();
    }
    UpdateCheck &check() { return dialogs.updateCheck(); }
    void checkForUpdate()
    {
        entry(QStringLiteral("Check for Update..."))->trigger();
        ASSERT_TRUE(check().updateViewController());
    }
    QString errorShown()
    {
        checkUpdateViewController *window = check().updateViewController();
        return window && window->errorText()->isVisible() ? window->errorText()->text() : QString();
    }
    // The text of whichever answer the check came to, once it has come to one.
    QString answer()
    {
        if (check().offerWindow())
            return check().offerWindow()->infoText()->text();
        if (check().upToDateWindow())
            return check().upToDateWindow()->infoText()->text();
        return errorShown();
    }
};

TEST_F(UpdateCheckTest, TheFeedDecidesTheAnswer)
{
    const QString upToDate = QStringLiteral("Stripdeck 0.1.0 is currently the newest version available.");
    const struct {
        const char *what;
        QByteArray body;
        int status;
        QString text;   // in the answer
        QString button; // that ends the check
        const char *opened;
    } rows[] = {
        {"newer",
         feed("<key>version</key><string>1.5</string><key>url</key><string>https://korvane.xq/get</string>"),
         200, QStringLiteral("Stripdeck 1.5 is available. Do you want to download it now?"),
         QStringLiteral("Download"), "https://korvane.xq/get"},
        // Only web addresses from the feed go to the system; others stay in the window as text.
        {"newer, no web address",
         feed("<key>version</key><real>2</real><key>url</key><string>file:///etc/passwd</string>"), 200,
         QStringLiteral("Stripdeck 2"), QStringLiteral("Download"), ""},
        // 0.1.9 reads as 0.1: versions compare as their leading decimal.
        {"same", feed("<key>version</key><string>0.1.9</string>"), 200, upToDate, QStringLiteral("Ok"), ""},
        {"older", feed("<key>version</key><real>0.05</real>"), 200, upToDate, QStringLiteral("Ok"), ""},
        {"missing version", feed("<key>url</key><string>https://korvane.xq/get</string>"), 200, retrieving,
         QStringLiteral("Cancel"), ""},
        {"unreadable version", feed("<key>version</key><string>soon</string>"), 200, retrieving,
         QStringLiteral("Cancel"), ""},
        {"truncated", "<plist version=\"1.0\"><dict><key>version</key><string>1.5", 200, retrieving,
         QStringLiteral("Cancel"), ""},
        {"too large",
         feed("<key>version</key><string>9</string><key>pad</key><string>" +
              QByteArray(UpdateCheck::maximumFeedSize, 'x') + "</string>"),
         200, retrieving, QStringLiteral("Cancel"), ""},
        {"not found", "gone", 404, QStringLiteral("Not Found"), QStringLiteral("Cancel"), ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        server.setReply(row.body, row.status);
        openedUrls.clear();
        checkForUpdate();
        EXPECT_FALSE(statusItem.visible) << "the status item hides while the check runs";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !answer().isEmpty(); }));
        EXPECT_TRUE(answer().contains(row.text)) << answer().toStdString();
        ASSERT_TRUE(clickButton(check().offerWindow()      ? static_cast<QWidget *>(check().offerWindow())
                                : check().upToDateWindow() ? static_cast<QWidget *>(check().upToDateWindow())
                                                           : check().updateViewController(),
                                row.button));
        if (!*row.opened && check().offerWindow()) { // the address stays as text: the user says no
            ASSERT_TRUE(clickButton(check().offerWindow(), QStringLiteral("Cancel")));
        }
        EXPECT_EQ(openedUrls,
                  *row.opened ? QList<QUrl>{QUrl(QString::fromLatin1(row.opened))} : QList<QUrl>());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return statusItem.visible && !app.isCheckingForUpate() && answer().isEmpty(); }));
    }
}

TEST_F(UpdateCheckTest, CancelEndsTheCheckAtOnceAndAServerThatNeverAnswersTimesOut)
{
    FeedServer silent(true);
    defaults.setObject(silent.base(), UpdateCheck::serverKey);
    checkForUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return silent.requests() == 1; }));
    ASSERT_TRUE(clickButton(check().updateViewController(), QStringLiteral("Cancel")));
    EXPECT_FALSE(app.isCheckingForUpate());
    checkForUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errorShown().isEmpty(); }, 20000));
    EXPECT_EQ(errorShown(), QStringLiteral("The request timed out."));
    EXPECT_FALSE(check().offerWindow()) << "nor did the cancelled check come back";
    EXPECT_FALSE(check().upToDateWindow());
}

// How a label shows its text: rich text would run markup from the network.
Qt::TextFormat shownAs(const QLabel *label)
{
    if (label->textFormat() != Qt::AutoText)
        return label->textFormat();
    return Qt::mightBeRichText(label->text()) ? Qt::RichText : Qt::PlainText;
}

TEST_F(UpdateCheckTest, TextFromTheNetworkIsShownAsPlainText)
{
    server.setReply("gone", 404, "<b>Gone</b> <a href=\"https://elsewhere.xq\">here</a>");
    checkForUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errorShown().isEmpty(); }));
    EXPECT_TRUE(errorShown().contains(QStringLiteral("<b>Gone</b>"))) << errorShown().toStdString();
    EXPECT_EQ(shownAs(check().updateViewController()->errorText()), Qt::PlainText);
    ASSERT_TRUE(clickButton(check().updateViewController(), QStringLiteral("Cancel")));

    server.setReply(feed("<key>version</key><string>3</string><key>url</key>"
                         "<string>&lt;img src=&quot;x&quot;&gt;&lt;b&gt;get&lt;/b&gt;</string>"));
    checkForUpdate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(check().offerWindow()); }));
    ASSERT_TRUE(clickButton(check().offerWindow(), QStringLiteral("Download")));
    const QLabel *offer = check().offerWindow()->infoText();
    EXPECT_TRUE(offer->text().contains(QStringLiteral("<b>get</b>"))) << offer->text().toStdString();
    EXPECT_EQ(shownAs(offer), Qt::PlainText);
    EXPECT_TRUE(openedUrls.isEmpty());
}

// At start the check has no window of its own: it offers a newer version and is silent otherwise.
TEST_F(UpdateCheckTest, BackgroundCheckOffersWhenNewerAndIsSilentOnError)
{
    server.setReply("gone", 404);
    check().startUpdateCheckBackground();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests() == 1; }));
    QTest::qWait(300);
    EXPECT_FALSE(check().offerWindow());
    EXPECT_FALSE(check().updateViewController());
    EXPECT_FALSE(check().upToDateWindow());

    server.setReply(feed("<key>version</key><string>0.1</string>"));
    check().startUpdateCheckBackground();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests() == 2; }));
    QTest::qWait(300);
    EXPECT_FALSE(check().offerWindow()) << "the same version offers nothing";
    EXPECT_FALSE(check().upToDateWindow());

    server.setReply(
        feed("<key>version</key><string>1.5</string><key>url</key><string>https://korvane.xq/get</string>"));
    check().startUpdateCheckBackground();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(check().offerWindow()); }));
    EXPECT_TRUE(
        check().offerWindow()->infoText()->text().contains(QStringLiteral("Stripdeck 1.5 is available")));
    EXPECT_TRUE(statusItem.visible) << "a check at start leaves the status item alone";
    ASSERT_TRUE(clickButton(check().offerWindow(), QStringLiteral("Download")));
    EXPECT_EQ(openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://korvane.xq/get"))});
}

} // namespace
