#include "app/UpdateCheck.h"
#include "DialogsTestSupport.h"
#include "FeedServer.h"
#include "app/checkUpdateViewController.h"
#include "app/newVersionViewController.h"
#include "app/upToDateViewController.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

namespace {

const QString checkTitle = QStringLiteral("Check for Update...");
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
        entry(checkTitle)->trigger();
        ASSERT_TRUE(check().updateViewController());
    }
    QString errorShown()
    {
        checkUpdateViewController *window = check().updateViewController();
        return window && window->errorText()->isVisible() ? window->errorText()->text() : QString();
    }
};

TEST_F(UpdateCheckTest, NewerVersionIsOfferedAndDownloadOpensItsAddress)
{
    server.setReply(FeedServer::feed("<key>version</key><string>1.5</string>"
                                     "<key>url</key><string>https://korvane.xq/get</string>"));
    checkForUpdate();
    EXPECT_FALSE(statusItem.visible) << "the status item hides while the check runs";
    EXPECT_TRUE(app.isCheckingForUpate());
    EXPECT_FALSE(opened(checkTitle)->isEnabled());
    check().checkForUpdate();
    EXPECT_EQ(server.requests(), 0) << "a second check does not start while one runs";

    ASSERT_TRUE(eventually([&] { return bool(check().offerWindow()); }));
    EXPECT_TRUE(server.lastRequest().startsWith("GET /stripdeck-version.xml HTTP/1.1"));
    EXPECT_FALSE(check().updateViewController()) << "the check window closed";
    EXPECT_EQ(check().offerWindow()->infoText()->text(),
              QStringLiteral("Stripdeck 1.5 is available. Do you want to download it now?"));
    EXPECT_FALSE(statusItem.visible);
    ASSERT_TRUE(clickButton(check().offerWindow(), QStringLiteral("Download")));
    EXPECT_EQ(openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://korvane.xq/get"))});
    ASSERT_TRUE(eventually([&] { return !check().offerWindow(); }));
    EXPECT_TRUE(statusItem.visible);
    EXPECT_FALSE(app.isCheckingForUpate());
    EXPECT_TRUE(opened(checkTitle)->isEnabled());
}

TEST_F(UpdateCheckTest, OfferToleratesAddressesItMustNotOpen)
{
    // Only web addresses from the feed go to the system; others stay in the window as text.
    server.setReply(FeedServer::feed("<key>version</key><real>2</real>"
                                     "<key>url</key><string>file:///etc/passwd</string>"));
    checkForUpdate();
    ASSERT_TRUE(eventually([&] { return bool(check().offerWindow()); }));
    ASSERT_TRUE(clickButton(check().offerWindow(), QStringLiteral("Download")));
    EXPECT_TRUE(openedUrls.isEmpty());
    EXPECT_TRUE(check().offerWindow()->infoText()->text().contains(QLatin1String("file:///etc/passwd")));
    ASSERT_TRUE(clickButton(check().offerWindow(), QStringLiteral("Cancel")));
    ASSERT_TRUE(eventually([&] { return bool(statusItem.visible); }));
}

TEST_F(UpdateCheckTest, SameOrOlderVersionEndsUpToDate)
{
    // 0.1.9 reads as 0.1: versions compare as their leading decimal.
    for (const char *version : {"<string>0.1</string>", "<string>0.1.9</string>", "<real>0.05</real>"}) {
        SCOPED_TRACE(version);
        server.setReply(FeedServer::feed(QByteArray("<key>version</key>") + version));
        checkForUpdate();
        ASSERT_TRUE(eventually([&] { return bool(check().upToDateWindow()); }));
        EXPECT_FALSE(check().offerWindow());
        EXPECT_EQ(check().upToDateWindow()->infoText()->text(),
                  QStringLiteral("Stripdeck 0.1.0 is currently the newest version available."));
        ASSERT_TRUE(clickButton(check().upToDateWindow(), QStringLiteral("Ok")));
        ASSERT_TRUE(eventually([&] { return !check().upToDateWindow(); }));
        EXPECT_TRUE(statusItem.visible);
        EXPECT_FALSE(app.isCheckingForUpate());
    }
}

TEST_F(UpdateCheckTest, UnreadableFeedsReportTheRetrievingError)
{
    const QByteArray tooLarge =
        FeedServer::feed("<key>version</key><string>9</string><key>pad</key><string>" +
                         QByteArray(UpdateCheck::maximumFeedSize, 'x') + "</string>");
    const QList<QByteArray> bodies = {
        FeedServer::feed("<key>url</key><string>https://korvane.xq/get</string>"),
        FeedServer::feed("<key>version</key><string>0</string>"),
        FeedServer::feed("<key>version</key><string>soon</string>"),
        "<plist version=\"1.0\"><array><string>1.5</string></array></plist>",
        "<html><body>moved</body></html>",
        "<plist version=\"1.0\"><dict><key>version</key><string>1.5",
        tooLarge,
    };
    for (const QByteArray &body : bodies) {
        SCOPED_TRACE(body.left(80).toStdString());
        server.setReply(body);
        checkForUpdate();
        eventually([&] { return errorShown() == retrieving; });
        ASSERT_EQ(errorShown(), retrieving);
        EXPECT_FALSE(check().updateViewController()->progressBar()->isVisible());
        EXPECT_FALSE(check().offerWindow());
        ASSERT_TRUE(clickButton(check().updateViewController(), QStringLiteral("Cancel")));
        EXPECT_FALSE(check().updateViewController());
        EXPECT_TRUE(statusItem.visible);
    }
}

TEST_F(UpdateCheckTest, NetworkFailuresShowTheirOwnText)
{
    server.setReply("gone", 404);
    checkForUpdate();
    ASSERT_TRUE(eventually([&] { return !errorShown().isEmpty(); }));
    EXPECT_NE(errorShown(), retrieving);
    EXPECT_TRUE(errorShown().contains(QLatin1String("Not Found"))) << errorShown().toStdString();
    ASSERT_TRUE(clickButton(check().updateViewController(), QStringLiteral("Cancel")));

    server.close();
    checkForUpdate();
    ASSERT_TRUE(eventually([&] { return !errorShown().isEmpty(); }));
    EXPECT_TRUE(errorShown().contains(QLatin1String("refused"), Qt::CaseInsensitive))
        << errorShown().toStdString();
}

TEST_F(UpdateCheckTest, CancelEndsTheCheckAtOnceAndAServerThatNeverAnswersTimesOut)
{
    FeedServer silent(FeedServer::Mode::Silent);
    defaults.setObject(silent.base(), UpdateCheck::serverKey);
    checkForUpdate();
    eventually([&] { return silent.requests() == 1; });
    ASSERT_EQ(silent.requests(), 1);
    ASSERT_TRUE(clickButton(check().updateViewController(), QStringLiteral("Cancel")));
    EXPECT_FALSE(check().updateViewController());
    EXPECT_TRUE(statusItem.visible);
    EXPECT_FALSE(app.isCheckingForUpate());

    checkForUpdate();
    ASSERT_TRUE(eventually([&] { return !errorShown().isEmpty(); }, 20000));
    EXPECT_EQ(errorShown(), QStringLiteral("The request timed out."));
    EXPECT_FALSE(check().offerWindow()) << "nor did the cancelled check come back";
    EXPECT_FALSE(check().upToDateWindow());
    EXPECT_TRUE(check().updateViewController()->isVisible()) << "the error stays until dismissed";
}

// Launches a second controller on the same store with the start-up check switched on.
class BackgroundUpdateCheckTest : public UpdateCheckTest {
protected:
    void SetUp() override
    {
        defaults.setObject(true, QStringLiteral("CheckForUpdate"));
        UpdateCheckTest::SetUp();
    }
};

TEST_F(BackgroundUpdateCheckTest, NewerVersionIsOfferedWithoutTheCheckWindow)
{
    // The reply is set before the launch's request arrives: the server answers on read.
    server.setReply(FeedServer::feed("<key>version</key><string>3.0</string>"
                                     "<key>url</key><string>https://korvane.xq/get</string>"));
    ASSERT_TRUE(eventually([&] { return bool(check().offerWindow()); }));
    EXPECT_EQ(check().downloadURL(), QStringLiteral("https://korvane.xq/get"));
    EXPECT_FALSE(check().updateViewController());
    EXPECT_TRUE(statusItem.visible) << "a background check leaves the status item alone";
    EXPECT_FALSE(app.isCheckingForUpate());
}

TEST_F(BackgroundUpdateCheckTest, UnreadableFeedShowsNothing)
{
    server.setReply(FeedServer::feed("<key>url</key><string>https://korvane.xq/get</string>"));
    ASSERT_TRUE(eventually([&] { return server.requests() == 1; }));
    QTest::qWait(200);
    EXPECT_FALSE(check().offerWindow());
    EXPECT_FALSE(check().updateViewController());
    EXPECT_EQ(check().onlineVersion(), 0.0f);
}

} // namespace
