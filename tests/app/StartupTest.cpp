#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Starts the real program with its own configuration folder holding a damaged preferences
// file: the file must be kept aside byte for byte and the program must run on its defaults.
TEST(Startup, GarbagePreferencesAreMovedAsideAndTheProgramRunsOn)
{
    QTemporaryDir config;
    const QString folder = config.filePath(QStringLiteral("stripdeck"));
    QDir().mkpath(folder);
    const QString prefs = folder + QStringLiteral("/xq.korvane.Stripdeck.plist");
    const QByteArray garbage = "<?xml version=\"1.0\"?><plist><dict><key>half a file";
    {
        QFile file(prefs);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("STRIPDECK_MIDI_BACKEND"), QStringLiteral("none"));
    // Without a display its hot keys grab nothing on the X server the x11 tests share.
    environment.remove(QStringLiteral("DISPLAY"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(STRIPDECK_BINARY));
    ASSERT_TRUE(program.waitForStarted(10000));
    EXPECT_FALSE(program.waitForFinished(3000)) << "the program stopped: exit code " << program.exitCode();

    const QStringList aside = QDir(folder).entryList({QStringLiteral("*.unreadable-*")});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(folder + QLatin1Char('/') + aside.first());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage);

    program.terminate();
    EXPECT_TRUE(program.waitForFinished(10000));
}

// The command line is answered before the program opens anything: with an X platform asked for
// and no display to open, a program that created its application object first would abort.
TEST(Startup, CommandLineIsAnsweredBeforeAnyWindowOrPort)
{
    const struct {
        const char *argument;
        int exitCode;
        const char *out;
        const char *err;
    } cases[] = {
        {"--version", 0, "stripdeck 0.1.0\n", ""},
        {"--help", 0, "  --show ", ""},
        {"-h", 0, "Usage: stripdeck [--show]\n", ""},
        {"--frobnicate", 2, "", "unknown option '--frobnicate'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.argument);
        QTemporaryDir config;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("STRIPDECK_MIDI_BACKEND"), QStringLiteral("jack"));
        environment.remove(QStringLiteral("DISPLAY"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(STRIPDECK_BINARY), {QString::fromLatin1(c.argument)});
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.exitCode);
        const QByteArray out = program.readAllStandardOutput();
        const QByteArray err = program.readAllStandardError();
        EXPECT_TRUE(out.contains(c.out)) << out.toStdString();
        EXPECT_TRUE(err.contains(c.err)) << err.toStdString();
        EXPECT_EQ(out.isEmpty(), *c.out == 0);
        EXPECT_TRUE(QDir(config.path()).isEmpty()) << "no preferences are written";
    }
}

} // namespace
