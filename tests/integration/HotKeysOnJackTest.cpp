#include "../platform/midi/JackPeer.h"
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

bool xdotoolKey(const char *keys)
{
    return QProcess::execute("xdotool", {"key", QString::fromLatin1(keys)}) == 0;
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
        auto backend = JackBackend::open("Stripdeck Port", &error);
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
    UserDefaults defaults{dir.filePath("prefs.plist")};
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
    const auto peer = JackPeer::open("stripdeck-hotkey-peer");
    ASSERT_TRUE(peer && peer->connect("Stripdeck Surface:out", peer->inName()));
    ASSERT_TRUE(xdotoolKey("ctrl+alt+0"));
    ASSERT_TRUE(waitFor([&] { return app->presentation().touchbarShown(); }));
    ASSERT_TRUE(xdotoolKey("ctrl+alt+minus"));
    ASSERT_TRUE(waitFor([&] { return app->presentation().controlSurfadeMode(); }));
    const QStringList shown = host.presentedIdentifiers();

    // Pressed again when JACK lost the message, as it may while the connection settles.
    const bool received = withRetries([&] {
        return xdotoolKey("ctrl+alt+3") &&
               waitFor([&] { return peer->received().contains(QByteArray::fromHex("b0427f")); });
    });
    EXPECT_TRUE(received) << "the peer saw " << peer->received().size() << " messages";
    EXPECT_EQ(host.presentedIdentifiers(), shown) << "the bar stays as it was";
}

} // namespace
