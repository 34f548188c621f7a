#include "AppDelegateTestSupport.h"
#include "midi/Client.h"
#include "model/ControlCatalog.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using AppDelegateTest = AppDelegateFixture;

TEST_F(AppDelegateTest, FirstToggleShowsUserTouchBarZeroAndTheSecondHidesIt)
{
    EXPECT_TRUE(factory->made.isEmpty()) << "no item is made before a bar is shown";
    app.toggleTouchbar();
    EXPECT_EQ(presented(), userDefaults(0));
    EXPECT_EQ(app.toggleMenuItem()->title(), QStringLiteral("Hide Stripdeck"));
    EXPECT_EQ(hotKeys.calls, QStringList({QStringLiteral("register")}));

    app.toggleTouchbar();
    EXPECT_EQ(host.presentedBar(), nullptr);
    EXPECT_EQ(app.toggleMenuItem()->title(), QStringLiteral("Show Stripdeck"));
    EXPECT_EQ(hotKeys.calls.last(), QStringLiteral("unregister"));

    app.presentation().setUserTouchbarNumber(3);
    app.presentation().setUserTouchbarNumber(42);
    EXPECT_EQ(app.presentation().userTouchbarNumber(), 3) << "a number naming no bar is ignored";
    app.toggleTouchbar();
    EXPECT_EQ(presented(), userDefaults(3)) << "toggle shows the current user touch bar";
}

TEST_F(AppDelegateTest, UnknownIdentifiersLeaveEmptySlots)
{
    factory->unknown = {ControlCatalog::identifier(QStringLiteral("8pad-group1"))};
    app.toggleTouchbar();
    ASSERT_EQ(host.presentedSlots().size(), 5);
    EXPECT_EQ(host.presentedSlots()[3].item, nullptr);
    EXPECT_NE(host.presentedSlots()[4].item, nullptr);
}

TEST_F(AppDelegateTest, ReloadAndResetEmptyTheBarAndLoadTheRootAnewShortlyAfter)
{
    app.toggleTouchbar();
    const auto before = host.presentedSlots().first().item;
    app.reloadTouchbar();
    EXPECT_TRUE(presented().isEmpty());
    // A second reload before the first has loaded must not lose the content.
    app.reloadTouchbar();
    ASSERT_TRUE(QTest::qWaitFor([&] { return presented() == userDefaults(0); }));
    EXPECT_NE(host.presentedSlots().first().item, before);

    app.openPopUp(app.templates().transportGroup(), {});
    app.resetStripdeck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return presented() == userDefaults(0); }))
        << "reset goes back from a pop-up to the root and reloads";
}

TEST_F(AppDelegateTest, EditFlagsStopToggleAndModeSwitch)
{
    for (bool editCCs : {true, false}) {
        SCOPED_TRACE(editCCs);
        app.presentation().setEditCCs(editCCs);
        app.presentation().setEditTouchBar(!editCCs);
        app.toggleTouchbar();
        app.changeMode();
        EXPECT_FALSE(app.presentation().touchbarShown());
        EXPECT_FALSE(app.presentation().controlSurfadeMode());
        EXPECT_EQ(app.presentation().userTouchbarNumber(), -1);
    }
}

TEST_F(AppDelegateTest, CustomizingControlsHidesTheStatusItemAndReturnsToTheStateBefore)
{
    app.presentation().setUserTouchbarNumber(2);
    app.toggleTouchbar();
    app.customizeControls();
    EXPECT_FALSE(statusItem.visible);
    app.closeSettingsWindow();
    EXPECT_TRUE(statusItem.visible);
    app.toggleTouchbar();
    EXPECT_FALSE(app.presentation().touchbarShown());
}

TEST_F(AppDelegateTest, CustomizationOpensThePaletteForTheCurrentBarAndReloadsWhenItEnds)
{
    app.presentation().setUserTouchbarNumber(4);
    app.customizeTouchbar();
    ASSERT_TRUE(host.paletteBar());
    EXPECT_EQ(host.paletteBar()->itemIdentifiers(), userDefaults(4));

    const QStringList arranged{ControlCatalog::identifier(QStringLiteral("piano"))};
    host.endCustomization(arranged);
    EXPECT_EQ(userDefaults(4), arranged);
    ASSERT_TRUE(QTest::qWaitFor([&] { return presented() == arranged; }));
}

TEST_F(AppDelegateTest, QuitUnregistersEveryHotKeyAndLeavesNoWindow)
{
    QSignalSpy quit(&app, &AppDelegate::quitRequested);
    app.toggleTouchbar();
    opened(QStringLiteral("Quit"))->trigger();
    ASSERT_EQ(quit.count(), 1);
    app.applicationWillTerminate();
    EXPECT_EQ(hotKeys.calls.last(), QStringLiteral("unregisterAll"))
        << "closing the bar and the windows comes first, so nothing registers again afterwards";
}

TEST_F(AppDelegateTest, LaunchRunsTheOtherPartsStepsInOrder)
{
    auto backend = std::make_unique<LoopbackBackend>();
    LoopbackBackend *loopback = backend.get();
    midi::Client::installBackend(std::move(backend));
    loopback->addDevice(QStringLiteral("Synth"), {QStringLiteral("Synth Out")}, {QStringLiteral("Synth In")});
    {
        QTemporaryDir otherDir;
        UserDefaults otherDefaults(otherDir.filePath(QStringLiteral("prefs.plist")));
        FakeStatusItem otherItem;
        AppDelegate other(otherDefaults, otherItem, host);
        QStringList order;
        using Step = AppDelegate::LaunchStep;
        for (auto [step, name] : {std::pair{Step::AttachFrontmostApplication, "attach"},
                                  std::pair{Step::RegisterShowHideHotKey, "hotkey"},
                                  std::pair{Step::StartUpdateCheck, "update"}}) {
            other.setLaunchStep(step, [&, name = QString::fromLatin1(name)] {
                const bool midiReady = otherDefaults.integerForKey(QStringLiteral("user-out-UID")) != 0;
                order.append(name + (otherItem.menu ? QStringLiteral("+menu") : QString()) +
                             (midiReady ? QStringLiteral("+midi") : QString()));
            });
        }
        otherDefaults.setObject(true, QStringLiteral("CheckForUpdate"));
        other.applicationDidFinishLaunching();
        EXPECT_EQ(order, QStringList({"attach+menu+midi", "hotkey+menu+midi", "update+menu+midi"}));
    }
    midi::Client::installBackend(nullptr);
}

// An OSC-listening control that keeps the values its cell gives it.
class OscListener : public midi::ListeningControl {
public:
    int kind() const override { return 7; }
    int ctrlNumber() const override { return 0; }
    int channelNumber() const override { return 1; }
    QString oscAddress() const override { return QStringLiteral("/mixer/fader1"); }
    void setMidiValue(const QVariant &value) override { values.append(value); }
    QVariantList values;
};

TEST_F(AppDelegateTest, IncomingOscMovesTheCellOfExactlyThatAddress)
{
    OscListener listener;
    app.midi().listeners().addListener(listener);
    listener.values.clear();
    app.setVal(0.25, QStringLiteral("/mixer/fader1"));
    app.setVal(0.75, QStringLiteral("/mixer/fader"));
    app.setVal(0.5, QStringLiteral("/mixer/fader1/"));
    EXPECT_EQ(listener.values, QVariantList{0.25});
    app.midi().listeners().removeListener(listener);
}

} // namespace
