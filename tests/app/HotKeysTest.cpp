#include "../platform/PlaceholderItemFactory.h"
#include "AppDelegateTestSupport.h"
#include "app/GlobalShortcutService.h"
#include "app/HotKeyCommands.h"
#include "app/HotKeyPreferences.h"
#include "app/KeyboardLayout.h"
#include "app/ZnHotKeyCenter.h"
#include "app/ZnHotKeyTextField.h"
#include "app/hotKeyViewController.h"
#include "midi/Client.h"
#include "platform/loopback/LoopbackBackend.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// Grants every combination except those marked as taken by another program, and fires on
// request as the system would on a key release.
class FakeShortcutService : public GlobalShortcutService {
public:
    using Combination = std::pair<quint16, quint64>;
    QHash<quint32, Combination> held;
    QList<Combination> takenElsewhere;

    bool registerShortcut(quint32 id, quint16 keyCode, quint64 modifierFlags) override
    {
        const Combination wanted{keyCode, modifierFlags};
        if (held.contains(id) || takenElsewhere.contains(wanted) || held.values().contains(wanted))
            return false;
        held.insert(id, wanted);
        return true;
    }
    void unregisterShortcut(quint32 id) override { held.remove(id); }
    QString unavailableReason() const override { return {}; }

    // Releases the combination as a user would; false when it is not held.
    bool release(quint16 keyCode, quint64 modifierFlags)
    {
        const quint32 id = held.key(Combination{keyCode, modifierFlags}, 0);
        if (id != 0)
            Q_EMIT shortcutReleased(id, modifierFlags, 0);
        return id != 0;
    }
    bool releaseStored(qint64 value)
    {
        return release(quint16(value & 0xff), quint64(value) & ~quint64(0xff));
    }
};

// A layout typing a few key positions; native scan codes are the virtual key codes plus 1000,
// so that zero (no scan code) means no key.
class FakeLayout : public KeyboardLayout {
public:
    static constexpr quint32 scanOffset = 1000;
    QString charactersForKeyCode(quint16 keyCode, int maxUnits) const override
    {
        return QHash<quint16, QString>{{0, "a"}, {1, "s"}, {48, "\t"}}.value(keyCode).left(maxUnits);
    }
    std::optional<quint16> keyCodeForNativeScanCode(quint32 scanCode) const override
    {
        return scanCode < scanOffset ? std::nullopt : std::optional(quint16(scanCode - scanOffset));
    }
};

constexpr quint64 shift = ZnHotKey::ShiftKeyMask;
constexpr quint64 control = ZnHotKey::ControlKeyMask;
constexpr quint64 option = ZnHotKey::AlternateKeyMask;
constexpr quint64 command = ZnHotKey::CommandKeyMask;
const auto nothing = [](const ZnHotKey::Event &) {};

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
    EXPECT_EQ(center.registerHotKeyWithKeyCode(0, command, nothing), nullptr)
        << "the same combination a second time gives nothing";
    center.unregisterHotKey(first);
    auto again = center.registerHotKeyWithKeyCode(0, command, nothing);
    ASSERT_TRUE(again);
    EXPECT_NE(again->hotKeyID(), first->hotKeyID()) << "an identifier is never handed out twice";
    Q_EMIT service.shortcutReleased(first->hotKeyID(), command, 0);
    EXPECT_EQ(fired, 0) << "a late release of the unregistered key reaches nothing";

    service.takenElsewhere.append({5, control});
    EXPECT_EQ(center.registerHotKeyWithKeyCode(5, control, nothing), nullptr);
    EXPECT_FALSE(center.hasRegisteredHotKeyWithKeyCode(5, control)) << "a refused combination is not kept";
}

TEST_F(ZnHotKeyCenterTest, AGoneTargetIsNotCalledAndTheTaskStandsIn)
{
    auto target = std::make_unique<QObject>();
    QList<int> received;
    ZnHotKey::Action action{
        "receivedGlobalKeyFrom:key:",
        [&](const ZnHotKey::Event &, const QVariant &object) { received.append(object.toInt()); }};
    auto hotKey = center.registerHotKeyWithKeyCode(20, control | option, target.get(), action, 2);
    int taskCalls = 0;
    hotKey->setTask([&](const ZnHotKey::Event &) { ++taskCalls; });
    ASSERT_TRUE(service.release(20, control | option));
    target.reset();
    ASSERT_TRUE(service.release(20, control | option));
    EXPECT_EQ(received, QList<int>{2});
    EXPECT_EQ(taskCalls, 1);
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

// The program's hot keys on the fake service, launched by each test once its keys are stored.
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
    bool press(const char *name) { return service.releaseStored(stored(QString::fromLatin1(name))); }
    int live() const { return center.registeredHotKeys().size(); }
    void store(const char *name, const QVariant &value)
    {
        QVariantMap keys = defaults.dictionaryForKey(QStringLiteral("HotKeys"));
        keys.insert(QString::fromLatin1(name), value);
        defaults.setObject(keys, QStringLiteral("HotKeys"));
    }
};

TEST_F(HotKeyCommandsTest, InControlSurfaceModeASwitchSendsItsControllerAndLeavesTheBar)
{
    launch();
    press("showHide");
    ASSERT_TRUE(press("controlSurface"));
    const QStringList before = host.presentedIdentifiers();
    loopback->clearSent();
    for (const char *name : {"switch1", "switch3", "switch9"})
        ASSERT_TRUE(press(name));
    QList<QByteArray> surface;
    for (const auto &sent : loopback->sent()) {
        if (sent.target == QStringLiteral("Stripdeck Surface"))
            surface.append(sent.bytes);
    }
    EXPECT_EQ(surface, QList<QByteArray>({"\xb0\x40\x7f", "\xb0\x42\x7f", "\xb0\x48\x7f"}));
    EXPECT_EQ(host.presentedIdentifiers(), before);
}

TEST_F(HotKeyCommandsTest, TheFirstOfTwoEqualCombinationsWins)
{
    store("switch1", stored(QStringLiteral("showHide")));
    store("switch4", QStringLiteral("garbage"));
    launch();
    app->toggleTouchbar();
    EXPECT_EQ(live(), 9) << "switch1 duplicates show/hide and switch4 is unreadable";
    ASSERT_TRUE(press("showHide"));
    EXPECT_FALSE(app->presentation().touchbarShown()) << "the combination kept its first meaning";
}

TEST_F(HotKeyCommandsTest, QuittingWithTheKeyWindowOpenRegistersNothingAgain)
{
    launch();
    app->setKeyCommands();
    EXPECT_EQ(live(), 0) << "combinations can be typed into the window";
    app->applicationWillTerminate();
    EXPECT_TRUE(service.held.isEmpty()) << "quitting with the key window open registers nothing again";
}

// Alt+Tab and Super+Alt+Tab switch windows on GNOME, KDE Plasma, Xfce and Cinnamon: no default
// may use Tab; the defaults are Control-Option with 0, minus and the digits 1 to 9.
TEST_F(HotKeyCommandsTest, DefaultKeysStayClearOfTheDesktopsWindowSwitcher)
{
    const quint16 zero = 29, minus = 27, tab = 48;
    EXPECT_EQ(stored(QStringLiteral("showHide")), qint64(control | option | zero));
    EXPECT_EQ(stored(QStringLiteral("controlSurface")), qint64(control | option | minus));
    const quint16 digits[] = {18, 19, 20, 21, 23, 22, 26, 28, 25};
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(stored(QStringLiteral("switch%1").arg(i)), qint64(control | option | digits[i - 1])) << i;
    for (const QString &name : HotKeyPreferences::names())
        EXPECT_NE(HotKeyPreferences::keyCodeOf(stored(name)), tab) << name.toStdString();
    // A choice the user stored is kept, whatever the defaults say.
    store("showHide", HotKeyPreferences::storedValue(tab, option));
    app->setupUserPreferences();
    EXPECT_EQ(stored(QStringLiteral("showHide")), qint64(option | tab));
}

// A key another program holds is said once at start and marked in the key commands window;
// it is never dropped without a word.
TEST_F(HotKeyCommandsTest, AKeyAnotherProgramHoldsIsReportedOnceAtStartAndShownAsTaken)
{
    store("switch2", HotKeyPreferences::storedValue(1, control | option)); // a key the layout types
    service.takenElsewhere.append({1, control | option});
    QSignalSpy reports(hotKeys.get(), &HotKeyCommands::hotKeysTaken);
    launch();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0][0].toStringList(), QStringList{QString::fromUtf8("Touch Bar 2 (⌃⌥S)")});
    ASSERT_TRUE(hotKeys->takenReport());
    EXPECT_TRUE(hotKeys->takenReport()->text().contains(QString::fromUtf8("Touch Bar 2 (⌃⌥S)")));
    EXPECT_EQ(live(), 1) << "only show/hide stays live while the strip is hidden";

    app->toggleTouchbar();
    EXPECT_EQ(live(), 10);
    app->toggleTouchbar();
    EXPECT_EQ(reports.size(), 1) << "reported once";

    app->setKeyCommands();
    auto *window = qobject_cast<hotKeyViewController *>(
        app->settingsWindows().window(SettingsWindows::Kind::KeyCommands));
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->switchField(2)->isTaken());
    EXPECT_TRUE(window->switchField(2)->text().contains(QStringLiteral("taken")));
    EXPECT_FALSE(window->switchField(3)->isTaken());
    EXPECT_FALSE(window->switchField(3)->text().contains(QStringLiteral("taken")));
}

TEST_F(HotKeyCommandsTest, CapsLockIsNoMenuModifier)
{
    store("showHide", HotKeyPreferences::storedValue(1, command | shift | ZnHotKey::CapsLockKeyMask));
    launch();
    EXPECT_EQ(app->toggleMenuItem()->keyEquivalent(), QStringLiteral("s"));
    EXPECT_EQ(app->toggleMenuItem()->keyEquivalentModifierMask(), quint32(command | shift));
}

class KeyCommandsWindowTest : public HotKeyCommandsTest {
protected:
    hotKeyViewController *window = nullptr;
    void SetUp() override
    {
        HotKeyCommandsTest::SetUp();
        launch();
        app->setKeyCommands();
        window = qobject_cast<hotKeyViewController *>(
            app->settingsWindows().window(SettingsWindows::Kind::KeyCommands));
        ASSERT_TRUE(window);
    }
    static void type(ZnHotKeyTextField *field, int key, Qt::KeyboardModifiers modifiers, quint16 keyCode)
    {
        QFocusEvent focus(QEvent::FocusIn);
        QApplication::sendEvent(field, &focus);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, keyCode + FakeLayout::scanOffset, 0, 0);
        QApplication::sendEvent(field, &press);
    }
};

TEST_F(KeyCommandsWindowTest, EscapeUndoesRecordingAndClosingWithChangesAsksBeforeApplying)
{
    ZnHotKeyTextField *field = window->switchField(5);
    const QString original = field->text();
    type(field, Qt::Key_S, Qt::AltModifier, 1);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 53 + FakeLayout::scanOffset, 0, 0);
    QApplication::sendEvent(field, &escape);
    EXPECT_EQ(field->text(), original);
    EXPECT_FALSE(window->applyButton()->isEnabled()) << "back to what is stored";

    type(window->switchField(2), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, 1);
    window->close();
    ASSERT_TRUE(window->confirmation());
    EXPECT_TRUE(window->isVisible()) << "not closed while changes are pending";
    window->confirmation()->button(QMessageBox::Apply)->click();
    EXPECT_EQ(stored(QStringLiteral("switch2")), qint64(control | shift | 1));
    EXPECT_EQ(live(), 11);
    ASSERT_TRUE(service.release(1, control | shift)) << "the new combination is live";
    EXPECT_EQ(app->presentation().userTouchbarNumber(), 1);
}

TEST_F(KeyCommandsWindowTest, EscapeInAFieldWithoutAStoredKeyLeavesNothingToApply)
{
    window->close();
    QVariantMap keys = defaults.dictionaryForKey(QStringLiteral("HotKeys"));
    keys.remove(QStringLiteral("switch7"));
    defaults.setObject(keys, QStringLiteral("HotKeys"));
    app->setKeyCommands();
    window = qobject_cast<hotKeyViewController *>(
        app->settingsWindows().window(SettingsWindows::Kind::KeyCommands));
    ASSERT_TRUE(window);
    ZnHotKeyTextField *field = window->switchField(7);
    ASSERT_TRUE(field->text().isEmpty());

    type(field, Qt::Key_S, Qt::AltModifier, 1);
    EXPECT_TRUE(window->applyButton()->isEnabled());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 53 + FakeLayout::scanOffset, 0, 0);
    QApplication::sendEvent(field, &escape);
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_FALSE(window->applyButton()->isEnabled()) << "nothing is left that differs from the store";
    // Applying another change stores no key for the field that shows none.
    type(window->switchField(2), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, 1);
    window->applySettings();
    EXPECT_FALSE(HotKeyPreferences(defaults).valueForName(QStringLiteral("switch7")));
    EXPECT_EQ(stored(QStringLiteral("switch2")), qint64(control | shift | 1));
}

TEST_F(KeyCommandsWindowTest, ConfirmationCancelKeepsTheEditAndDiscardShowsTheStoredKeysAgain)
{
    ZnHotKeyTextField *field = window->switchField(3);
    const QString original = field->text();
    const qint64 storedBefore = stored(QStringLiteral("switch3"));
    type(field, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, 1);
    const QString edited = field->text();
    ASSERT_NE(edited, original);

    window->close();
    ASSERT_TRUE(window->confirmation());
    window->confirmation()->button(QMessageBox::Cancel)->click();
    EXPECT_FALSE(window->confirmation());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(field->text(), edited);
    EXPECT_TRUE(window->applyButton()->isEnabled());

    window->close();
    ASSERT_TRUE(window->confirmation());
    window->confirmation()->button(QMessageBox::Discard)->click();
    EXPECT_TRUE(window->isVisible()) << "discarding leaves the window open";
    EXPECT_EQ(field->text(), original);
    EXPECT_FALSE(window->applyButton()->isEnabled());
    EXPECT_EQ(stored(QStringLiteral("switch3")), storedBefore);
    QPointer<hotKeyViewController> open = window;
    window->close();
    EXPECT_FALSE(open && open->isVisible()) << "with nothing left to apply it closes without asking";
}

TEST_F(KeyCommandsWindowTest, AWindowWithUnappliedChangesGoesWithItsDelegate)
{
    type(window->switchField(1), Qt::Key_A, Qt::MetaModifier, 0);
    QPointer<hotKeyViewController> open = window;
    hotKeys.reset();
    EXPECT_TRUE(open.isNull()) << "no window is left calling a delegate that is gone";
}

} // namespace
