#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/eightFaderTouchbarItem.h"
#include "midi/Client.h"
#include "midi/ListenerTables.h"
#include "midi/MackieControlProtocol.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiInputHandler.h"
#include "midi/MidiRouter.h"
#include "model/UserDefaults.h"
#include "platform/loopback/LoopbackBackend.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The bank and strip on Mackie Control, wired as the application wires them, on the loopback
// system: bytes injected on the surface input take the path real input takes.
class MackieRig {
public:
    MackieRig()
        : m_defaults(m_dir.filePath(QStringLiteral("prefs.plist")))
    {
        auto backend = std::make_unique<LoopbackBackend>();
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
        m_endpoints = std::make_unique<midi::MidiEndpoints>(m_defaults);
        m_endpoints->setupMIDI(&m_handler);
        m_endpoints->connectRouter(m_router);
        m_bank.setTouchDelegate(&m_delegate);
        m_strip.setTouchDelegate(&m_delegate);
        m_mackie.activate();
    }

    ~MackieRig()
    {
        m_endpoints.reset();
        midi::Client::installBackend(nullptr);
    }

    void host(const QByteArray &bytes)
    {
        ASSERT_TRUE(m_backend->inject(midi::MidiEndpoints::surfaceName(), bytes));
    }
    void host(const char *hex) { host(QByteArray::fromHex(hex)); }

    // What went out on the surface output since the last call, as hex strings in order.
    QStringList sent()
    {
        QStringList result;
        for (const auto &sent : m_backend->sent()) {
            if (sent.target == midi::MidiEndpoints::surfaceName())
                result.append(QString::fromLatin1(sent.bytes.toHex()));
        }
        m_backend->clearSent();
        return result;
    }

    QTemporaryDir m_dir;
    UserDefaults m_defaults;
    LoopbackBackend *m_backend = nullptr;
    eightFaderTouchbarItem m_bank{QStringLiteral("xc.korvane.stripdeck.8fader-view")};
    controlStripTouchbarItem m_strip{QStringLiteral("xc.korvane.stripdeck.controlstrip-view")};
    midi::MidiRouter m_router;
    midi::MackieControlProtocol m_mackie{m_bank, m_strip, m_router};
    midi::ListenerTables m_listeners;
    midi::MidiInputHandler m_handler{m_mackie, m_listeners};
    ControlSurfaceDelegate m_delegate{m_router, m_mackie};
    std::unique_ptr<midi::MidiEndpoints> m_endpoints;
};

QByteArray lcd(int offset, const QByteArray &text)
{
    return QByteArray::fromHex("f00000661412") + char(offset) + text + char(0xF7);
}

const QString serial = QString::fromLatin1(midi::MackieControlProtocol::serialNumber().toHex());

TEST(MackieControlTest, AnswersTheHandshakeOfAMainUnitOnly)
{
    MackieRig rig;
    rig.host("f000006614 00 f7");
    EXPECT_EQ(rig.sent(), QStringList{"f000006614"
                                      "01" +
                                      serial + "01020304f7"});
    rig.host(QByteArray::fromHex("f00000661402") + midi::MackieControlProtocol::serialNumber() +
             QByteArray::fromHex("11223344f7"));
    EXPECT_EQ(rig.sent(), QStringList{"f000006614"
                                      "03" +
                                      serial + "f7"});
    // An extender's query, another maker's and a header cut short get no answer.
    for (const char *hex : {"f000006615 00 f7", "f000006714 00 f7", "f0000066 f7", "f000006614 f7"}) {
        rig.host(hex);
        EXPECT_EQ(rig.sent(), QStringList{}) << hex;
    }
}

// A host that starts without a handshake: names from the upper LCD row, positions from pitch
// bend, the bank number from the assignment display; the views' touches go back as Mackie
// messages, the touch before the first value.
TEST(MackieControlTest, BankIsTheEightMixerChannels)
{
    MackieRig rig;
    EXPECT_EQ(rig.m_bank.getBankNumber(), "-");
    rig.host(lcd(0, "Kick   Snare  HiHat  Bass   Keys   Gtr    Vox    FX Ret "));
    EXPECT_EQ(rig.m_bank.getParameterNames(),
              QStringList({"Kick", "Snare", "HiHat", "Bass", "Keys", "Gtr", "Vox", "FX Ret"}));
    rig.host(lcd(14, "Clap"));           // part of one cell
    rig.host(lcd(56, "-12.0  Lower  ")); // the lower row names nothing
    rig.host(lcd(105, "Too long for the end of the display"));
    EXPECT_EQ(rig.m_bank.getParameterName(2), "Clapt");
    EXPECT_EQ(rig.m_bank.getParameterName(1), "Snare");
    EXPECT_EQ(rig.m_bank.getParameterName(7), "FX Ret");

    rig.host("e3 0040"); // channel 4: 8192
    rig.host("e8 7f7f"); // the master fader has no slot
    EXPECT_FLOAT_EQ(rig.m_bank.getValueForFader(3), 8192 / 16383.0f);
    EXPECT_FLOAT_EQ(rig.m_bank.getValueForFader(7), 0.0f);

    rig.host("b04b 31"); // left digit "1"
    rig.host("b04a 07"); // right digit "G" in the six-bit code
    EXPECT_EQ(rig.m_bank.getBankNumber(), "1G");
    rig.host("b04b 20");
    rig.host("b04a 60"); // a space with its dot lit
    EXPECT_EQ(rig.m_bank.getBankNumber(), "-");

    rig.m_bank.sendValue(0.5f, 2, false);
    rig.m_bank.sendTouch(1, 2);
    rig.m_bank.sendValue(1.0f, 2, false);
    rig.m_bank.sendTouch(0, 2);
    EXPECT_EQ(rig.sent(), QStringList({"906a7f", "e27f3f", "e27f7f", "906a00"}));
    rig.m_bank.sendButtonPrev();
    rig.m_bank.sendButtonNext();
    EXPECT_EQ(rig.sent(), QStringList({"902e7f", "902e00", "902f7f", "902f00"}));
}

// The strip follows the channel whose select LED is lit: its name, fader, pan ring and solo
// and mute LEDs; its touches go to that channel.
TEST(MackieControlTest, StripIsTheSelectedChannel)
{
    MackieRig rig;
    rig.host(lcd(0, "Kick   Snare  HiHat  Bass   "));
    rig.host("e3 2010");
    rig.host("b033 06"); // ring of channel 4 at its centre step
    rig.host("900b7f");  // solo LED of channel 4
    rig.host("9013 01"); // mute LED of channel 4 blinking: not its own mute
    rig.m_strip.sendValue(0.3f, 0);
    rig.m_strip.sendSoloButton();
    EXPECT_EQ(rig.sent(), QStringList{}) << "nothing is selected";

    rig.host("901b7f"); // select channel 4
    EXPECT_EQ(rig.m_mackie.selectedChannel(), 3);
    EXPECT_EQ(rig.m_strip.getChannelName(), "Bass");
    EXPECT_FLOAT_EQ(rig.m_strip.getValueForFader(0), float(0x20 | 0x10 << 7) / 16383.0f);
    EXPECT_NEAR(rig.m_strip.getValueForFader(1), 0.5f, 1e-4);
    EXPECT_EQ(rig.m_strip.getSoloButtonValue(), 127);
    EXPECT_EQ(rig.m_strip.getMuteButtonValue(), 0);
    EXPECT_TRUE(rig.m_strip.hasDevice());

    rig.m_strip.sendValue(0.5f, 0);
    rig.m_strip.sendTouch(1, 0);
    rig.m_strip.sendTouch(0, 0);
    rig.m_strip.sendMuteButton();
    rig.m_strip.sendSoloButton();
    EXPECT_EQ(rig.sent(),
              QStringList({"906b7f", "e37f3f", "906b00", "90137f", "901300", "900b7f", "900b00"}));
    EXPECT_FLOAT_EQ(rig.m_bank.getValueForFader(3), 8191 / 16383.0f) << "the bank slot follows";

    // Pan: relative V-Pot ticks, whole ticks only, and the ring's echo does not move the
    // count while the pan is held.
    rig.m_strip.sendValue(0.5f, 1);
    rig.m_strip.sendTouch(1, 1);
    rig.m_strip.sendValue(0.6f, 1);
    rig.host("b033 07");
    rig.m_strip.sendValue(0.57f, 1);
    rig.m_strip.sendValue(1.0f, 1);
    rig.m_strip.sendValue(0.0f, 1);
    rig.m_strip.sendTouch(0, 1);
    EXPECT_EQ(rig.sent(), QStringList({"b0130a", "b01343", "b0132b", "b0137f", "b01365"}));

    // The mute LED of another channel and a select LED going dark elsewhere change nothing;
    // selecting another channel and then darkening its LED does.
    rig.host("90107f");
    rig.host("901800");
    EXPECT_EQ(rig.m_strip.getChannelName(), "Bass");
    rig.host("90197f");
    rig.host("901b00");
    EXPECT_EQ(rig.m_strip.getChannelName(), "Snare");
    EXPECT_EQ(rig.m_strip.getSoloButtonValue(), 0);
    rig.host("801900");
    EXPECT_EQ(rig.m_mackie.selectedChannel(), std::nullopt);
    EXPECT_EQ(rig.m_strip.getChannelName(), "");
}

// Meters, the timecode display, other LEDs, the extender and messages cut short are read and
// dropped: nothing changes and nothing is sent.
TEST(MackieControlTest, EverythingElseIsIgnored)
{
    MackieRig rig;
    rig.host(lcd(0, "Kick   "));
    const QStringList names = rig.m_bank.getParameterNames();
    for (const char *hex : {"d01c", "d07f", "b04035", "b04935", "905e7f", "90007f", "92087f", "b1337f",
                            "e87f7f", "f000006615120041424344f7", "f00000661512f7", "f00000661413f7",
                            "f000006614", "f0", "f000006614127f", "c005", "f8"}) {
        rig.host(hex);
        EXPECT_EQ(rig.sent(), QStringList{}) << hex;
    }
    EXPECT_EQ(rig.m_bank.getParameterNames(), names);
    EXPECT_FLOAT_EQ(rig.m_bank.getValueForFader(1), 0.0f);
    EXPECT_EQ(rig.m_strip.getSoloButtonValue(), 0);
    EXPECT_EQ(rig.m_bank.getBankNumber(), "-");
    EXPECT_EQ(rig.m_mackie.selectedChannel(), std::nullopt);
}

} // namespace
