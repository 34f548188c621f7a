#include "../platform/PlaceholderItemFactory.h"
#include "AppDelegateTestSupport.h"
#include "HotKeyFakes.h"
#include "app/HotKeyCommands.h"
#include "app/HotKeyPreferences.h"
#include "app/ZnHotKeyCenter.h"
#include "app/ZnHotKeyTextField.h"
#include "app/hotKeyViewController.h"
#include "midi/Client.h"
#include "platform/loopback/LoopbackBackend.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

constexpr quint64 shift = ZnHotKey::ShiftKeyMask;
constexpr quint64 control = ZnHotKey::ControlKeyMask;
constexpr quint64 option = ZnHotKey::AlternateKeyMask;
constexpr quint64 command = ZnHotKey::CommandKeyMask;
const auto nothing = [](const ZnHotKey::Event &) {};

// ---- the centre --------------------------------------------------------------------------

class ZnHotKeyCenterTest : public ::testing::Test {
protected:
    FakeShortcutService service;
    ZnHotKeyCenter center;
    void SetUp() override { center.setService(&service); }
};

TEST_F(ZnHotKeyCenterTest, ACombinationRegistersOnceAndIdentifiersAreNeverReused)
{
    int fired = 0;
    auto first = center.registerHotKeyWithKeyCode(0, command, [&](const ZnHotKey::Event &) { ++fired; });
    ASSERT_TRUE(first);
    EXPECT_EQ(first->hotKeyID(), 1u);
    EXPECT_EQ(center.registerHotKeyWithKeyCode(0, command, nothing), nullptr)
        << "the same combination a second time gives nothing";
    EXPECT_EQ(center.registerHotKey(ZnHotKey::hotKeyWithKeyCode(0, command, {})), first)
        << "equality is key code and flags: the one already in the set is answered";
    EXPECT_FALSE(*first == ZnHotKey(0, command | control));
    EXPECT_EQ(center.registeredHotKeys().size(), 1);

    center.unregisterHotKey(first);
    EXPECT_FALSE(first->hotKeyRef().has_value());
    EXPECT_TRUE(service.held.isEmpty());
    auto again = center.registerHotKeyWithKeyCode(0, command, nothing);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->hotKeyID(), 2u) << "an identifier is never handed out twice";

    Q_EMIT service.shortcutReleased(1, command, 0);
    EXPECT_EQ(fired, 0) << "a late release of the unregistered key reaches nothing";

    service.takenElsewhere.append({5, control});
    EXPECT_EQ(center.registerHotKeyWithKeyCode(5, control, nothing), nullptr);
    EXPECT_FALSE(center.hasRegisteredHotKeyWithKeyCode(5, control)) << "a refused combination is not kept";
    center.setService(nullptr);
    EXPECT_EQ(center.registerHotKeyWithKeyCode(6, control, nothing), nullptr)
        << "without a service nothing registers";
}

TEST_F(ZnHotKeyCenterTest, ReleaseInvokesTheTargetsActionWithItsObjectElseTheTask)
{
    auto target = std::make_unique<QObject>();
    QList<int> received;
    ZnHotKey::Action action{"receivedGlobalKeyFrom:key:",
                            [&](const ZnHotKey::Event &event, const QVariant &object) {
                                EXPECT_EQ(event.keyCode, 20);
                                received.append(object.toInt());
                            }};
    auto hotKey = center.registerHotKeyWithKeyCode(20, control | option, target.get(), action, 2);
    int taskCalls = 0;
    hotKey->setTask([&](const ZnHotKey::Event &) { ++taskCalls; });
    ASSERT_TRUE(service.release(20, control | option));
    EXPECT_EQ(received, QList<int>{2});
    EXPECT_EQ(taskCalls, 0);

    target.reset();
    ASSERT_TRUE(service.release(20, control | option));
    EXPECT_EQ(received.size(), 1) << "a gone target is not called";
    EXPECT_EQ(taskCalls, 1) << "the task stands in";
}

TEST_F(ZnHotKeyCenterTest, UnregistrationBySelection)
{
    QObject a, b;
    const auto act = [](const char *name) { return ZnHotKey::Action{name, [](auto &, auto &) {}}; };
    center.registerHotKeyWithKeyCode(1, command, &a, act("toggleTouchbar"));
    center.registerHotKeyWithKeyCode(2, command, &a, act("changeMode:"));
    center.registerHotKeyWithKeyCode(3, command, &b, act("changeMode:"));
    center.registerHotKeyWithKeyCode(4, command, nothing);

    center.unregisterHotKeysWithTarget(&a, "changeMode:");
    EXPECT_FALSE(center.hasRegisteredHotKeyWithKeyCode(2, command));
    EXPECT_TRUE(center.hasRegisteredHotKeyWithKeyCode(1, command));
    center.unregisterHotKeyWithKeyCode(4, command);
    EXPECT_FALSE(center.hasRegisteredHotKeyWithKeyCode(4, command));
    center.unregisterHotKeysWithTarget(&b);
    EXPECT_EQ(center.registeredHotKeys().size(), 1);
    center.unregisterAllHotKeys();
    EXPECT_TRUE(service.held.isEmpty());
}

// ---- the stored form ---------------------------------------------------------------------

TEST(HotKeyPreferencesTest, OnlyWholeNumbersInRangeAreHotKeys)
{
    const std::pair<QVariant, std::optional<qint64>> cases[] = {
        {QVariant(qint64(1572912)), 1572912},
        {QVariant(0), 0},
        {QVariant(qint64(0xffffffff)), 0xffffffffLL},
        {QVariant(qint64(-1)), std::nullopt},
        {QVariant(qint64(1) << 40), std::nullopt},
        {QVariant(QStringLiteral("1572912")), std::nullopt},
        {QVariant(48.0), std::nullopt},
        {QVariant(true), std::nullopt},
        {QVariant(QVariantMap()), std::nullopt},
        {QVariant(), std::nullopt}};
    for (const auto &[stored, expected] : cases)
        EXPECT_EQ(HotKeyPreferences::valueFrom(stored), expected) << stored.toString().toStdString();
}

TEST(HotKeyPreferencesTest, StoredValueSplitsIntoKeyCodeAndFlags)
{
    // Recorded flags carry device bits in their low 16 bits; the stored form drops them.
    const qint64 value = HotKeyPreferences::storedValue(20, control | option | 0x0108);
    EXPECT_EQ(value, 786452);
    EXPECT_EQ(HotKeyPreferences::keyCodeOf(value), 20);
    EXPECT_EQ(HotKeyPreferences::modifierFlagsOf(value), control | option);
}

// ---- which keys are live and what they do ------------------------------------------------

class HotKeyCommandsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    FakeStatusItem statusItem;
    HeadlessTouchBarHost host;
    LoopbackBackend *loopback = nullptr;
    std::unique_ptr<AppDelegate> app;
    FakeShortcutService service;
    FakeLayout layout;
    ZnHotKeyCenter center;
    std::unique_ptr<HotKeyCommands> hotKeys;

    void SetUp() override
    {
        auto backend = std::make_unique<LoopbackBackend>();
        loopback = backend.get();
        midi::Client::installBackend(std::move(backend));
        app = std::make_unique<AppDelegate>(defaults, statusItem, host);
        app->setItemFactory(std::make_unique<PlaceholderItemFactory>());
        hotKeys = std::make_unique<HotKeyCommands>(*app, service, layout, &center);
        // The stored defaults, so that a test can change single keys before the launch.
        app->setupUserPreferences();
    }
    void TearDown() override
    {
        hotKeys.reset();
        app.reset();
        midi::Client::installBackend(nullptr);
    }

    void launch() { app->applicationDidFinishLaunching(); }
    qint64 stored(const QString &name) { return *HotKeyPreferences(defaults).valueForName(name); }
    bool press(const QString &name) { return service.releaseStored(stored(name)); }
    int live() const { return center.registeredHotKeys().size(); }
    void store(const QString &name, const QVariant &value)
    {
        QVariantMap keys = defaults.dictionaryForKey(QStringLiteral("HotKeys"));
        keys.insert(name, value);
        defaults.setObject(keys, QStringLiteral("HotKeys"));
    }
    hotKeyViewController *keyWindow() const
    {
        return qobject_cast<hotKeyViewController *>(
            app->settingsWindows().window(SettingsWindows::Kind::KeyCommands));
    }
};

TEST_F(HotKeyCommandsTest, ShowHideIsLiveFromLaunchTheOthersWhileABarIsShown)
{
    launch();
    EXPECT_EQ(live(), 1);
    EXPECT_FALSE(press(QStringLiteral("switch3"))) << "switch keys do nothing while no bar is shown";
    ASSERT_TRUE(press(QStringLiteral("showHide")));
    EXPECT_TRUE(app->presentation().touchbarShown());
    EXPECT_EQ(live(), 11);

    ASSERT_TRUE(press(QStringLiteral("switch3")));
    EXPECT_EQ(app->presentation().userTouchbarNumber(), 2);
    EXPECT_EQ(host.presentedIdentifiers(), app->templates().userTouchBar(2)->itemIdentifiers());
    app->presentation().setEditTouchBar(true);
    ASSERT_TRUE(press(QStringLiteral("switch5")));
    EXPECT_EQ(app->presentation().userTouchbarNumber(), 2) << "switches wait while the palette is open";
    app->presentation().setEditTouchBar(false);

    ASSERT_TRUE(press(QStringLiteral("showHide")));
    EXPECT_FALSE(app->presentation().touchbarShown());
    EXPECT_EQ(live(), 1) << "only show/hide stays";
    ASSERT_TRUE(press(QStringLiteral("showHide")));
    EXPECT_EQ(host.presentedIdentifiers(), app->templates().userTouchBar(2)->itemIdentifiers())
        << "showing again returns to the chosen bar";
}

TEST_F(HotKeyCommandsTest, InControlSurfaceModeASwitchSendsItsControllerAndLeavesTheBar)
{
    launch();
    press(QStringLiteral("showHide"));
    ASSERT_TRUE(press(QStringLiteral("controlSurface")));
    ASSERT_TRUE(app->presentation().controlSurfadeMode());
    const QStringList before = host.presentedIdentifiers();
    loopback->clearSent();
    for (const char *name : {"switch1", "switch3", "switch9"})
        ASSERT_TRUE(press(QString::fromLatin1(name)));
    QList<QByteArray> surface;
    for (const auto &sent : loopback->sent()) {
        if (sent.target == QStringLiteral("Stripdeck Surface"))
            surface.append(sent.bytes);
    }
    EXPECT_EQ(surface, QList<QByteArray>({QByteArray("\xb0\x40\x7f"), QByteArray("\xb0\x42\x7f"),
                                          QByteArray("\xb0\x48\x7f")}));
    EXPECT_EQ(host.presentedIdentifiers(), before);
    EXPECT_EQ(app->presentation().userTouchbarNumber(), 0);
}

TEST_F(HotKeyCommandsTest, TheFirstOfTwoEqualCombinationsWins)
{
    store(QStringLiteral("switch1"), stored(QStringLiteral("showHide")));
    store(QStringLiteral("switch4"), QStringLiteral("garbage"));
    launch();
    app->toggleTouchbar();
    EXPECT_EQ(live(), 9) << "switch1 duplicates show/hide and switch4 is unreadable";
    ASSERT_TRUE(press(QStringLiteral("showHide")));
    EXPECT_FALSE(app->presentation().touchbarShown()) << "the combination kept its first meaning";
}

TEST_F(HotKeyCommandsTest, SettingsWindowsTakeEveryKeyAndGiveAllElevenBackButNotOnQuit)
{
    launch();
    app->openOSCSettings();
    EXPECT_EQ(live(), 0) << "combinations can be typed into the window";
    app->closeOSCSettingsWindow();
    EXPECT_EQ(live(), 11) << "all keys live again though no bar is shown";
    ASSERT_TRUE(press(QStringLiteral("switch4")));
    EXPECT_EQ(app->presentation().userTouchbarNumber(), 3);
    EXPECT_TRUE(app->presentation().touchbarShown());

    app->setKeyCommands();
    ASSERT_TRUE(keyWindow());
    EXPECT_EQ(live(), 0);
    EXPECT_FALSE(statusItem.visible);
    keyWindow()->close();
    EXPECT_EQ(live(), 11);
    EXPECT_TRUE(statusItem.visible);
    EXPECT_FALSE(app->settingsWindows().isOpen(SettingsWindows::Kind::KeyCommands));

    app->setKeyCommands();
    app->applicationWillTerminate();
    EXPECT_EQ(live(), 0) << "quitting with the key window open registers nothing again";
    EXPECT_TRUE(service.held.isEmpty());
}

TEST_F(HotKeyCommandsTest, MenuKeyEquivalentsFollowTheLayoutsCharacters)
{
    store(QStringLiteral("showHide"),
          HotKeyPreferences::storedValue(1, command | shift | ZnHotKey::CapsLockKeyMask));
    store(QStringLiteral("controlSurface"), HotKeyPreferences::storedValue(96, option)); // F5 types nothing
    launch();
    EXPECT_EQ(app->toggleMenuItem()->keyEquivalent(), QStringLiteral("s"));
    EXPECT_EQ(app->toggleMenuItem()->keyEquivalentModifierMask(), quint32(command | shift))
        << "caps lock is not a menu modifier";
    EXPECT_EQ(app->modeMenuItem()->keyEquivalent(), QStringLiteral("\t")) << "the built-in equivalent stays";
    EXPECT_EQ(app->modeMenuItem()->keyEquivalentModifierMask(), quint32(option));

    store(QStringLiteral("showHide"), HotKeyPreferences::storedValue(0, control));
    app->setKeyCommands();
    keyWindow()->close();
    EXPECT_EQ(app->toggleMenuItem()->keyEquivalent(), QStringLiteral("a"))
        << "refreshed when the window closes";
    EXPECT_EQ(app->toggleMenuItem()->keyEquivalentModifierMask(), quint32(control));
}

// ---- the key commands window -------------------------------------------------------------

class KeyCommandsWindowTest : public HotKeyCommandsTest {
protected:
    void SetUp() override
    {
        HotKeyCommandsTest::SetUp();
        launch();
        app->setKeyCommands();
        window = keyWindow();
        ASSERT_TRUE(window);
    }

    void type(ZnHotKeyTextField *field, int key, Qt::KeyboardModifiers modifiers, quint16 keyCode)
    {
        QFocusEvent focus(QEvent::FocusIn);
        QApplication::sendEvent(field, &focus);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, keyCode + FakeLayout::scanOffset, 0, 0);
        QApplication::sendEvent(field, &press);
    }
    QMessageBox *confirmationAfterClosing()
    {
        window->close();
        return window->confirmation();
    }

    hotKeyViewController *window = nullptr;
};

TEST_F(KeyCommandsWindowTest, EscapePutsTheCombinationBackAndAModifierAloneRecordsItsGlyph)
{
    ZnHotKeyTextField *field = window->switchField(5);
    const QString original = field->text();
    type(field, Qt::Key_S, Qt::AltModifier, 1);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 53 + FakeLayout::scanOffset, 0, 0);
    QApplication::sendEvent(field, &escape);
    EXPECT_EQ(field->text(), original);
    EXPECT_FALSE(window->applyButton()->isEnabled()) << "back to what is stored";

    type(field, Qt::Key_Meta, Qt::NoModifier, 55);
    EXPECT_EQ(field->text(), QStringLiteral("\u2318"));
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::MetaModifier, 48 + FakeLayout::scanOffset, 0, 0);
    QApplication::sendEvent(field, &tab);
    EXPECT_EQ(field->text(), QStringLiteral("\u2318\u21E5")) << "Tab is recorded, not a focus move";
}

TEST_F(KeyCommandsWindowTest, ClosingWithChangesAsksCancelKeepsDiscardDropsApplyStores)
{
    const QString original = window->switchField(1)->text();
    EXPECT_EQ(original, QStringLiteral("\u2303\u23251")) << "the stored combination, in upper case";
    EXPECT_FALSE(window->unavailableLabel()->isVisibleTo(window));
    type(window->switchField(1), Qt::Key_A, Qt::MetaModifier, 0);
    QMessageBox *box = confirmationAfterClosing();
    ASSERT_TRUE(box);
    EXPECT_TRUE(window->isVisible()) << "not closed while changes are pending";
    box->button(QMessageBox::Cancel)->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->applyButton()->isEnabled()) << "cancel keeps the changes";

    box = confirmationAfterClosing();
    ASSERT_TRUE(box);
    box->button(QMessageBox::Discard)->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->switchField(1)->text(), original);
    EXPECT_FALSE(window->applyButton()->isEnabled());
    EXPECT_EQ(live(), 0) << "still editing";

    type(window->switchField(2), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, 1);
    EXPECT_EQ(window->switchField(2)->text(), QStringLiteral("\u2303\u21E7S"));
    box = confirmationAfterClosing();
    ASSERT_TRUE(box);
    box->button(QMessageBox::Apply)->click();
    EXPECT_EQ(stored(QStringLiteral("switch2")), qint64(control | shift | 1));
    EXPECT_FALSE(app->settingsWindows().isOpen(SettingsWindows::Kind::KeyCommands));
    EXPECT_EQ(live(), 11);
    ASSERT_TRUE(service.release(1, control | shift)) << "the new combination is live";
    EXPECT_EQ(app->presentation().userTouchbarNumber(), 1);
}

TEST_F(KeyCommandsWindowTest, AWindowWithUnappliedChangesGoesWithItsDelegate)
{
    type(window->switchField(1), Qt::Key_A, Qt::MetaModifier, 0);
    QPointer<hotKeyViewController> open = window;
    hotKeys.reset();
    EXPECT_TRUE(open.isNull()) << "no window is left calling a delegate that is gone";
    EXPECT_EQ(live(), 0);
}

TEST_F(HotKeyCommandsTest, TheWindowSaysWhenHotKeysCannotWork)
{
    service.reason = QStringLiteral("Global hot keys are unavailable: no X display could be opened.");
    launch();
    app->setKeyCommands();
    ASSERT_TRUE(keyWindow());
    EXPECT_TRUE(keyWindow()->unavailableLabel()->isVisibleTo(keyWindow()));
    EXPECT_EQ(keyWindow()->unavailableLabel()->text(), service.reason);
}

} // namespace
