#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString run(const QStringList &command)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// Visible windows with exactly this title.
QStringList windowsNamed(const QString &title)
{
    const QString found =
        run({QStringLiteral("xdotool"), QStringLiteral("search"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')});
    return found.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The program as a user meets it: started on an X server without a tray, driven through its
// status button and menu with real input events.
class ProgramTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    QProcess program;

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("STRIPDECK_TEST_SERVICES"))
            GTEST_SKIP() << "needs the X server of scripts/with-test-services";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        // No desktop entries: an application is known by its window class alone.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), home.filePath(QStringLiteral("data")));
        // With a display at hand and no platform asked for, the program picks X11 itself.
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(STRIPDECK_PROGRAM), QStringList());
        ASSERT_TRUE(program.waitForStarted());
    }
    void TearDown() override
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
    }

    static void clickOn(const QString &window)
    {
        const QString geometry = run({QStringLiteral("xdotool"), QStringLiteral("getwindowgeometry"),
                                      QStringLiteral("--shell"), window});
        auto value = [&](const char *name) {
            return QRegularExpression(QString::fromLatin1(name) + QStringLiteral("=(\\d+)"))
                .match(geometry)
                .captured(1)
                .toInt();
        };
        const int x = value("X") + value("WIDTH") / 2;
        const int y = value("Y") + value("HEIGHT") / 2;
        run({QStringLiteral("xdotool"), QStringLiteral("mousemove"), QString::number(x), QString::number(y),
             QStringLiteral("click"), QStringLiteral("1")});
    }

    void chooseFirstEntry(const QString &button)
    {
        clickOn(button);
        QTest::qWait(500);
        // The title line is disabled, so the first entry the keyboard reaches is show/hide.
        run({QStringLiteral("xdotool"), QStringLiteral("key"), QStringLiteral("Down"),
             QStringLiteral("Return")});
    }
};

TEST_F(ProgramTest, StatusButtonShowsAndHidesTheStripAndTerminationLeavesNoWindow)
{
    const QString stripTitle = QStringLiteral("Stripdeck Touch Bar");
    ASSERT_TRUE(QTest::qWaitFor([] { return windowsNamed(QStringLiteral("Stripdeck")).size() == 1; }, 20000))
        << "the status button never appeared";
    const QString button = windowsNamed(QStringLiteral("Stripdeck")).first();
    EXPECT_TRUE(windowsNamed(stripTitle).isEmpty()) << "nothing is shown before the user asks";

    chooseFirstEntry(button);
    ASSERT_TRUE(QTest::qWaitFor([&] { return windowsNamed(stripTitle).size() == 1; }, 20000))
        << "Show Stripdeck did not show";
    const QString strip = windowsNamed(stripTitle).first();
    const QString info = run({QStringLiteral("xwininfo"), QStringLiteral("-id"), strip});
    EXPECT_TRUE(info.contains(QLatin1String("Absolute upper-left Y:  1035"))) << info.toStdString();
    EXPECT_TRUE(run({QStringLiteral("xprop"), QStringLiteral("-id"), strip, QStringLiteral("WM_CLASS")})
                    .contains(QLatin1String("\"stripdeck\"")));

    chooseFirstEntry(button);
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowsNamed(stripTitle).isEmpty(); }, 20000))
        << "Hide Stripdeck did not hide";

    chooseFirstEntry(button);
    ASSERT_TRUE(QTest::qWaitFor([&] { return windowsNamed(stripTitle).size() == 1; }, 20000));
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_TRUE(windowsNamed(stripTitle).isEmpty());
    EXPECT_TRUE(windowsNamed(QStringLiteral("Stripdeck")).isEmpty());
}

// Under a real window manager (openbox), with an attached application in front: opening the
// menu from the status button must not make Stripdeck the active application, which would put
// the strip back to the state from before the application came to the front.
class ProgramUnderWindowManager : public ProgramTest {
protected:
    QProcess windowManager;
    QProcess application;

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("STRIPDECK_TEST_SERVICES"))
            GTEST_SKIP() << "needs the X server of scripts/with-test-services";
        windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        if (!windowManager.waitForStarted())
            GTEST_SKIP() << "openbox is not installed (scripts/bootstrap installs it)";
        ASSERT_TRUE(QTest::qWaitFor(
            [] {
                return run({QStringLiteral("xprop"), QStringLiteral("-root"),
                            QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains(QLatin1String("window id"));
            },
            20000))
            << "openbox did not take the screen";
        // User touch bar 3 for any window of class Xmessage.
        QDir().mkpath(home.filePath(QStringLiteral("config/stripdeck")));
        QFile preferences(home.filePath(QStringLiteral("config/stripdeck/xq.korvane.Stripdeck.plist")));
        ASSERT_TRUE(preferences.open(QIODevice::WriteOnly));
        preferences.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>Apps</key><array><dict>
<key>bundleID</key><string>Xmessage</string>
<key>controlSurfaceMode</key><false/>
<key>userTouchbarNumber</key><integer>3</integer>
</dict></array></dict></plist>
)");
        preferences.close();
        ProgramTest::SetUp();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        for (QProcess *process : {&application, &windowManager}) {
            process->kill();
            process->waitForFinished();
        }
    }
};

TEST_F(ProgramUnderWindowManager, OpeningTheMenuFromTheStatusButtonLeavesTheAttachedStripAlone)
{
    const QString stripTitle = QStringLiteral("Stripdeck Touch Bar");
    ASSERT_TRUE(QTest::qWaitFor([] { return windowsNamed(QStringLiteral("Stripdeck")).size() == 1; }, 20000))
        << "the status button never appeared";
    const QString button = windowsNamed(QStringLiteral("Stripdeck")).first();
    application.start(QStringLiteral("xmessage"),
                      {QStringLiteral("-name"), QStringLiteral("attached"), QStringLiteral("-center"),
                       QStringLiteral("attached application")});
    ASSERT_TRUE(application.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return windowsNamed(stripTitle).size() == 1; }, 20000))
        << "the attached application's strip did not show";
    const QString active = run({QStringLiteral("xdotool"), QStringLiteral("getactivewindow")});
    ASSERT_FALSE(active.isEmpty());

    clickOn(button);
    QTest::qWait(1000);
    EXPECT_EQ(run({QStringLiteral("xdotool"), QStringLiteral("getactivewindow")}).toStdString(),
              active.toStdString())
        << "the status button took the focus";
    EXPECT_EQ(windowsNamed(stripTitle).size(), 1) << "opening the menu changed the strip";
    run({QStringLiteral("xdotool"), QStringLiteral("key"), QStringLiteral("Escape")});
    QTest::qWait(500);
    EXPECT_EQ(windowsNamed(stripTitle).size(), 1) << "closing the menu changed the strip";
}

} // namespace
