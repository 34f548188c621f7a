#include "app/ZnHotKey.h"
#include "midi/WaitFor.h"
#include "platform/x11/X11GlobalShortcutService.h"

#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

constexpr quint64 shift = ZnHotKey::ShiftKeyMask;
constexpr quint64 control = ZnHotKey::ControlKeyMask;
constexpr quint64 command = ZnHotKey::CommandKeyMask;
constexpr quint16 keyA = 0;
constexpr quint16 keyF5 = 96;

bool xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

// Runs the main loop a while; used only where something must NOT happen.
void settle()
{
    waitFor([] { return false; }, 300);
}

// The X service against a real X server, driven by xdotool as a user's keyboard.
class X11GlobalShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        service = std::make_unique<X11GlobalShortcutService>();
        if (!service->hasDisplay())
            GTEST_SKIP() << "no X display (run under scripts/with-test-services)";
    }
    void TearDown() override
    {
        // A test that failed midway must not leave keys down for the next one.
        if (service && service->hasDisplay())
            xdotool({QStringLiteral("keyup"), QStringLiteral("super+shift+ctrl+a")});
    }
    std::unique_ptr<X11GlobalShortcutService> service;
};

TEST_F(X11GlobalShortcutTest, FiresOnReleaseNotOnPress)
{
    QSignalSpy released(service.get(), &GlobalShortcutService::shortcutReleased);
    ASSERT_TRUE(service->registerShortcut(7, keyA, command | shift)) << service->errorString().toStdString();
    ASSERT_TRUE(xdotool({QStringLiteral("keydown"), QStringLiteral("super+shift+a")}));
    settle();
    EXPECT_EQ(released.count(), 0) << "nothing fires while the keys are down";
    ASSERT_TRUE(xdotool({QStringLiteral("keyup"), QStringLiteral("super+shift+a")}));
    ASSERT_TRUE(waitFor([&] { return released.count() == 1; }));
    EXPECT_EQ(released.first().at(0).toUInt(), 7u);

    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("shift+a")}));
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("super+shift+a")}));
    ASSERT_TRUE(waitFor([&] { return released.count() == 2; }));
    settle();
    EXPECT_EQ(released.count(), 2) << "another combination of the same key does not fire";
}

TEST_F(X11GlobalShortcutTest, FiresWhateverTheLockKeys)
{
    QSignalSpy released(service.get(), &GlobalShortcutService::shortcutReleased);
    ASSERT_TRUE(service->registerShortcut(1, keyF5, control));
    for (const char *lock : {"Num_Lock", "Caps_Lock"}) {
        ASSERT_TRUE(xdotool({QStringLiteral("key"), QString::fromLatin1(lock)}));
        const int before = int(released.count());
        ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+F5")}));
        EXPECT_TRUE(waitFor([&] { return released.count() == before + 1; })) << lock << " on";
    }
    for (const char *lock : {"Num_Lock", "Caps_Lock"})
        xdotool({QStringLiteral("key"), QString::fromLatin1(lock)});
}

TEST_F(X11GlobalShortcutTest, RefusesWhatIsHeldAndFreesWhatIsReleased)
{
    ASSERT_TRUE(service->registerShortcut(1, keyA, control | shift));
    EXPECT_FALSE(service->registerShortcut(2, keyA, control | shift)) << "the same combination again";
    EXPECT_FALSE(service->registerShortcut(3, keyA, control | shift | ZnHotKey::CapsLockKeyMask))
        << "lock bits make no other grab";
    EXPECT_FALSE(service->registerShortcut(1, keyF5, 0)) << "an identifier in use";
    EXPECT_FALSE(service->registerShortcut(4, 63, command)) << "the function key has no X key";

    X11GlobalShortcutService other;
    EXPECT_FALSE(other.registerShortcut(1, keyA, control | shift)) << "another program holds it";
    EXPECT_TRUE(other.errorString().contains(QStringLiteral("another program")));
    service->unregisterShortcut(1);
    EXPECT_TRUE(other.registerShortcut(1, keyA, control | shift)) << "ungrabbed on every lock state";
}

} // namespace
