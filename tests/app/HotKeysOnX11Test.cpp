#include "AppDelegateTestSupport.h"
#include "app/HotKeyCommands.h"
#include "app/ZnHotKeyCenter.h"
#include "platform/midi/WaitFor.h"
#include "platform/touchbar/StripTouchBarHost.h"
#include "platform/touchbar/StripWindow.h"
#include "platform/x11/X11GlobalShortcutService.h"
#include "platform/x11/XkbKeyboardLayout.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

bool xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

// The stored defaults: show/hide is control-option-0, switch N control-option-N.
const QString showHideKeys = QStringLiteral("ctrl+alt+0");
QString switchKeys(int number)
{
    return QStringLiteral("ctrl+alt+%1").arg(number);
}

// The application controller with the real strip and real key grabs on the X server; xdotool
// is the user's keyboard.
class HotKeysOnX11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!service.hasDisplay())
            GTEST_SKIP() << "no X display (run under scripts/with-test-services)";
        hotKeys = std::make_unique<HotKeyCommands>(app, service, layout, &center);
        app.applicationDidFinishLaunching();
    }
    void TearDown() override
    {
        hotKeys.reset();
        app.applicationWillTerminate();
    }

    bool stripShown() const { return host.window() && host.window()->isVisible(); }
    int selected() const { return app.presentation().userTouchbarNumber(); }
    int live() const { return center.registeredHotKeys().size(); }

    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    FakeStatusItem statusItem;
    StripTouchBarHost host;
    AppDelegate app{defaults, statusItem, host};
    X11GlobalShortcutService service;
    XkbKeyboardLayout layout;
    ZnHotKeyCenter center;
    std::unique_ptr<HotKeyCommands> hotKeys;
};

TEST_F(HotKeysOnX11Test, ShowHideShowsTheStripOnReleaseAndHidesItOnTheNextPress)
{
    ASSERT_EQ(live(), 1);
    ASSERT_TRUE(xdotool({QStringLiteral("keydown"), showHideKeys}));
    waitFor([] { return false; }, 300);
    EXPECT_FALSE(stripShown()) << "pressing alone shows nothing";
    ASSERT_TRUE(xdotool({QStringLiteral("keyup"), showHideKeys}));
    ASSERT_TRUE(waitFor([&] { return stripShown(); })) << "the strip appears on release";
    EXPECT_EQ(selected(), 0);

    ASSERT_TRUE(xdotool({QStringLiteral("key"), showHideKeys}));
    EXPECT_TRUE(waitFor([&] { return !stripShown(); })) << "again: it hides";
}

TEST_F(HotKeysOnX11Test, AfterTheKeyCommandsWindowAllElevenKeysAreLive)
{
    app.setKeyCommands();
    ASSERT_TRUE(app.settingsWindows().isOpen(SettingsWindows::Kind::KeyCommands));
    EXPECT_EQ(live(), 0);
    app.settingsWindows().window(SettingsWindows::Kind::KeyCommands)->close();
    ASSERT_EQ(live(), 11);
    EXPECT_FALSE(stripShown());
    for (int number : {5, 9, 1}) {
        ASSERT_TRUE(xdotool({QStringLiteral("key"), switchKeys(number)}));
        EXPECT_TRUE(waitFor([&] { return selected() == number - 1; })) << "switch " << number;
    }
    EXPECT_TRUE(stripShown()) << "a switch shows the strip";
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+minus")}));
    EXPECT_TRUE(waitFor([&] { return app.presentation().controlSurfadeMode(); }))
        << "the mode key is live too";
}

} // namespace
