#include "../platform/midi/WaitFor.h"
#include "JackBackend.h"
#include "app/AppDelegate.h"
#include "app/HotKeyCommands.h"
#include "app/StatusItemHost.h"
#include "app/ZnHotKeyCenter.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"
#include "platform/touchbar/HeadlessTouchBarHost.h"
#include "platform/x11/X11GlobalShortcutService.h"
#include "platform/x11/XkbKeyboardLayout.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class QuietStatusItem : public StatusItemHost {
public:
    void setMenu(Menu *) override {}
    void setVisible(bool) override {}
};

bool run(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(10000) && process.exitCode() == 0;
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return ok;
}

// A switch hot key in control-surface mode, from xdotool on the X server to a JACK peer that
// listens to the surface output.
class HotKeysOnJackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!service.hasDisplay())
            GTEST_SKIP() << "no X display (run under scripts/with-test-services)";
        QString error;
        auto backend = JackBackend::open(QStringLiteral("Stripdeck Port"), &error);
        if (!backend)
            GTEST_SKIP() << "no JACK server (run under scripts/with-test-services): " << error.toStdString();
        midi::Client::installBackend(std::move(backend));
        app = std::make_unique<AppDelegate>(defaults, statusItem, host);
        hotKeys = std::make_unique<HotKeyCommands>(*app, service, layout, &center);
        app->applicationDidFinishLaunching();
    }
    void TearDown() override
    {
        hotKeys.reset();
        app.reset();
        midi::Client::installBackend(nullptr);
    }

    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    QuietStatusItem statusItem;
    HeadlessTouchBarHost host;
    X11GlobalShortcutService service;
    XkbKeyboardLayout layout;
    ZnHotKeyCenter center;
    std::unique_ptr<AppDelegate> app;
    std::unique_ptr<HotKeyCommands> hotKeys;
};

TEST_F(HotKeysOnJackTest, SwitchThreeSendsController66OnTheSurfaceOutput)
{
    const QString peer = QStringLiteral("stripdeck-hotkey-peer");
    QProcess dump;
    dump.start(QStringLiteral("jack_midi_dump"), {peer});
    QString ports;
    ASSERT_TRUE(
        waitFor([&] { return run(QStringLiteral("jack_lsp"), {}, &ports) && ports.contains(peer); }, 10000))
        << ports.toStdString();
    const QString input = ports.split(QLatin1Char('\n')).filter(peer).value(0).trimmed();
    ASSERT_TRUE(run(QStringLiteral("jack_connect"), {QStringLiteral("Stripdeck Surface:out"), input}));

    ASSERT_TRUE(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("super+alt+Tab")}));
    ASSERT_TRUE(waitFor([&] { return app->presentation().touchbarShown(); }));
    ASSERT_TRUE(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+Tab")}));
    ASSERT_TRUE(waitFor([&] { return app->presentation().controlSurfadeMode(); }));
    const QStringList shown = host.presentedIdentifiers();

    QString output;
    const bool received = withRetries([&] {
        if (!run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+3")}))
            return false;
        return waitFor([&] {
            output += QString::fromUtf8(dump.readAllStandardOutput());
            return output.contains(QStringLiteral("b0 42 7f"));
        });
    });
    EXPECT_TRUE(received) << "the peer saw: " << output.toStdString();
    EXPECT_EQ(host.presentedIdentifiers(), shown) << "the bar stays as it was";
    dump.kill();
    dump.waitForFinished();
}

} // namespace
