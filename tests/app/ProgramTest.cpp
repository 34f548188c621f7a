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

    void chooseFirstEntry(const QString &button)
    {
        const QString geometry = run({QStringLiteral("xdotool"), QStringLiteral("getwindowgeometry"),
                                      QStringLiteral("--shell"), button});
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

} // namespace
