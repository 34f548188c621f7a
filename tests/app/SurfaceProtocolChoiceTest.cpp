#include "AppDelegateTestSupport.h"
#include "app/MidiServices.h"
#include "app/StatusMenu.h"
#include "midi/Client.h"
#include "platform/loopback/LoopbackBackend.h"

namespace {

const QString protocolKey = QStringLiteral("SurfaceProtocol");

// The MIDI half on the loopback system, with the preferences it starts from.
class ProtocolRig {
public:
    explicit ProtocolRig(const QVariant &preference)
    {
        if (preference.isValid())
            defaults.setObject(preference, protocolKey);
        auto made = std::make_unique<LoopbackBackend>();
        backend = made.get();
        midi::Client::installBackend(std::move(made));
        midi = std::make_unique<MidiServices>(defaults);
        midi->setupMIDI();
    }
    ~ProtocolRig()
    {
        midi.reset();
        midi::Client::installBackend(nullptr);
    }

    // What the surface output sends for one message on the surface input.
    QStringList answer(const char *hex)
    {
        backend->clearSent();
        backend->inject(midi::MidiEndpoints::surfaceName(), QByteArray::fromHex(hex));
        QStringList sent;
        for (const auto &s : backend->sent())
            sent.append(QString::fromLatin1(s.bytes.toHex()));
        return sent;
    }
    QStringList bankTouch()
    {
        backend->clearSent();
        midi->eightFaderItem().sendTouch(1, 0);
        midi->eightFaderItem().sendTouch(0, 0);
        QStringList sent;
        for (const auto &s : backend->sent())
            sent.append(QString::fromLatin1(s.bytes.toHex()));
        return sent;
    }

    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    LoopbackBackend *backend = nullptr;
    std::unique_ptr<MidiServices> midi;
};

const char *const deviceQuery = "f00000661400f7";

TEST(SurfaceProtocolChoiceTest, PreferenceChoosesTheProtocolAtStart)
{
    const struct {
        const char *name;
        QVariant preference;
        QString protocol;
    } cases[] = {{"absent", {}, "native"},
                 {"native", QStringLiteral("native"), "native"},
                 {"mackie", QStringLiteral("mackie"), "mackie"},
                 {"unknown", QStringLiteral("hui"), "native"},
                 {"not a text", qint64(1), "native"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ProtocolRig rig(c.preference);
        EXPECT_EQ(rig.midi->surfaceProtocol(), c.protocol);
        EXPECT_EQ(rig.answer(deviceQuery).isEmpty(), c.protocol == "native");
    }
}

// A switch takes effect on the next message, on the same ports: the endpoints are not made
// again, and the bank speaks the new protocol at once.
TEST(SurfaceProtocolChoiceTest, SwitchTakesEffectAtOnceOnTheSamePorts)
{
    ProtocolRig rig({});
    auto &endpoints = rig.midi->endpoints();
    const auto *input = endpoints.virtualSurfaceInputStream();
    const auto *output = endpoints.virtualSurfaceOutputStream();
    EXPECT_EQ(rig.bankTouch(), QStringList({"b03201", "b03200"}));

    rig.midi->setSurfaceProtocol(MidiServices::mackieProtocolName());
    EXPECT_EQ(rig.defaults.stringForKey(protocolKey), "mackie");
    EXPECT_EQ(rig.answer(deviceQuery).size(), 1);
    EXPECT_EQ(rig.bankTouch(), QStringList({"90687f", "906800"}));
    EXPECT_TRUE(rig.midi->controlStripItem().hasDevice()) << "the device button opens the mixer bank";

    rig.midi->setSurfaceProtocol(MidiServices::nativeProtocolName());
    EXPECT_EQ(rig.defaults.stringForKey(protocolKey), "native");
    EXPECT_EQ(rig.answer(deviceQuery), QStringList{});
    rig.answer("b01f07");
    EXPECT_EQ(rig.midi->eightFaderItem().getBankNumber(), "7");
    EXPECT_EQ(rig.bankTouch(), QStringList({"b03201", "b03200"}));
    EXPECT_EQ(endpoints.virtualSurfaceInputStream(), input);
    EXPECT_EQ(endpoints.virtualSurfaceOutputStream(), output);
}

using SurfaceProtocolMenuTest = AppDelegateFixture;

TEST_F(SurfaceProtocolMenuTest, SubmenuHoldsBothWithTheOneInUseChecked)
{
    const auto submenu = entry(StatusMenu::surfaceProtocolTitle())->submenu();
    ASSERT_TRUE(submenu);
    const auto checked = [&] {
        submenu->aboutToOpen();
        QStringList titles;
        for (const auto &item : submenu->items())
            titles.append(item->title() + (item->state() ? "*" : ""));
        return titles;
    };
    EXPECT_EQ(checked(), QStringList({"Native*", "Mackie Control"}));
    submenu->itemWithTitle(QStringLiteral("Mackie Control"))->trigger();
    EXPECT_EQ(checked(), QStringList({"Native", "Mackie Control*"}));
    EXPECT_EQ(defaults.stringForKey(protocolKey), "mackie");
    submenu->itemWithTitle(QStringLiteral("Native"))->trigger();
    EXPECT_EQ(checked(), QStringList({"Native*", "Mackie Control"}));
    EXPECT_EQ(app.midi().surfaceProtocol(), "native");
}

} // namespace

namespace {

// The loopback system for as long as it lives: installed before the members after it are made,
// removed after they are gone, since their streams hold its ports.
struct InstalledLoopback {
    InstalledLoopback()
    {
        auto made = std::make_unique<LoopbackBackend>();
        backend = made.get();
        midi::Client::installBackend(std::move(made));
    }
    ~InstalledLoopback() { midi::Client::installBackend(nullptr); }
    LoopbackBackend *backend = nullptr;
};

// The application controller on the loopback system.
class LoopbackApp : public ::testing::Test {
protected:
    QStringList sentToSurface()
    {
        QStringList sent;
        for (const auto &s : backend->sent()) {
            if (s.target == midi::MidiEndpoints::surfaceName())
                sent.append(QString::fromLatin1(s.bytes.toHex()));
        }
        backend->clearSent();
        return sent;
    }

    InstalledLoopback loopback;
    LoopbackBackend *backend = loopback.backend;
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    FakeStatusItem statusItem;
    HeadlessTouchBarHost host;
    AppDelegate app{defaults, statusItem, host};
};

// Opening the bank from the strip tells a native host; Mackie Control has no such message.
TEST_F(LoopbackApp, OpeningTheBankSpeaksTheProtocolInUse)
{
    app.applicationDidFinishLaunching();
    app.openDeviceTouchBar();
    EXPECT_EQ(sentToSurface(), QStringList{"b00401"});
    app.midi().setSurfaceProtocol(MidiServices::mackieProtocolName());
    app.openDeviceTouchBar();
    EXPECT_EQ(sentToSurface(), QStringList{});
}

} // namespace
