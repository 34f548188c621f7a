#include "../osc/FreePort.h"
#include "PeerProcess.h"
#include "RunningProgram.h"
#include "model/ControlCatalog.h"
#include "platform/touchbar/StripLayout.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Touch bar 1 (number 0) holds a control-change pad, an OSC pad and a fader, in that order.
const QString oscPadAddress = "/e2e/pad";

QVariantMap record(const QString &kind, int number, int channel, const QString &type, double to)
{
    return {{"kind", kind},     {"value", number}, {"channel", channel}, {"type", type},
            {"scaleFrom", 0.0}, {"scaleTo", to},   {"label", kind}};
}

QVariantMap preferences(quint16 oscPeerPort, quint16 oscListenPort)
{
    QVariantMap oscPad = record("osc", 0, 1, "momentary", 1.0);
    oscPad.insert("oscAddress", oscPadAddress);
    const QVariantMap controls{
        {"pad1", record("ctrl", 20, 1, "momentary", 127)},
        {"pad2", oscPad},
        {"slider1", record("ctrl", 7, 2, "volume", 127)},
    };
    const QVariantList items{ControlCatalog::identifier("pad1"), ControlCatalog::identifier("pad2"),
                             ControlCatalog::identifier("slider1")};
    const QVariantMap osc{{"active", true},
                          {"host-name", "127.0.0.1"},
                          {"host-port", oscPeerPort},
                          {"listen-port", oscListenPort}};
    return {{ControlCatalog::customizationKey(0), QVariantMap{{"CurrentItems", items}}},
            {ControlCatalog::controlMapKey(0), controls},
            {"OSC", osc}};
}

// Where the strip puts the three items: pads are buttons of fixed width, the fader grows.
QList<QRectF> itemFrames()
{
    using Kind = StripLayout::Kind;
    return StripLayout::layout({{Kind::Fixed, 72.0}, {Kind::Fixed, 72.0}, {Kind::AtLeast, 100.0}});
}

// jack_midi_dump prints each message as its bytes in hex; the lines of one channel's control
// change of a given controller, as values.
QList<int> controlValues(const QString &dump, const QString &statusAndController)
{
    QList<int> values;
    const QRegularExpression message(statusAndController + " ([0-9a-f]{2})");
    for (auto match = message.globalMatch(dump); match.hasNext();)
        values.append(match.next().captured(1).toInt(nullptr, 16));
    return values;
}

TEST(StripControlsTest, PadsAndFadersOfTheShownTouchBarPlayOnTheUserPortAndOverOsc)
{
    if (const QString missing = RunningProgram::missingServices(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const quint16 oscPeerPort = freePortForTcpAndUdp();
    const quint16 oscListenPort = freePortForTcpAndUdp();
    ASSERT_NE(oscPeerPort, 0);
    PeerProcess oscPeer;
    ASSERT_TRUE(oscPeer.start("oscdump", {"-L", QString::number(oscPeerPort)}));

    RunningProgram program(preferences(oscPeerPort, oscListenPort));
    QString error;
    ASSERT_TRUE(program.start(&error)) << error.toStdString();
    PeerProcess dump;
    const QString dumpClient = "e2e-user-dump";
    ASSERT_TRUE(dump.start("jack_midi_dump", {dumpClient}));
    const bool connected = poll(
        [&] {
            return runCommand({"jack_connect", "Stripdeck User:out", dumpClient + ":input"}).isEmpty() &&
                   runCommand({"jack_lsp", "-c", "Stripdeck User:out"}).contains(dumpClient);
        },
        5000);
    ASSERT_TRUE(connected) << "jack_midi_dump never got connected to \"Stripdeck User:out\"";

    ASSERT_TRUE(program.showStrip()) << "Show Stripdeck did not show the strip";
    const QList<QRectF> frames = itemFrames();

    {
        SCOPED_TRACE("a click on the control-change pad: 127 at press, 0 at release");
        const QPointF pad = frames[0].center();
        // The dummy JACK server may drop MIDI when it overruns; the click is repeated then.
        bool played = false;
        for (int attempt = 0; attempt < 3 && !played; ++attempt) {
            dump.clear();
            program.click(pad);
            played = dump.waitForOutput([](const QString &out) {
                return out.contains(QLatin1String("b0 14 7f")) && out.contains(QLatin1String("b0 14 00"));
            });
        }
        EXPECT_TRUE(played) << dump.output().toStdString();
        const QList<int> values = controlValues(dump.output(), "b0 14");
        ASSERT_FALSE(values.isEmpty());
        EXPECT_EQ(values.first(), 127) << "press comes before release";
    }

    {
        SCOPED_TRACE("a drag along the fader: rising values on channel 2, none twice");
        const QRectF fader = frames[2];
        const QPointF from(fader.left() + 2, fader.center().y());
        const QPointF to(fader.right() - 2, fader.center().y());
        QList<int> values;
        for (int attempt = 0; attempt < 3 && values.size() < 10; ++attempt) {
            // Back to the left end first, so the drag starts from the bottom of the range.
            program.drag(to, from, 5);
            dump.waitForText("b1 07 00");
            dump.clear();
            program.drag(from, to, 30);
            dump.waitForText("b1 07 7f");
            values = controlValues(dump.output(), "b1 07");
        }
        ASSERT_GE(values.size(), 10) << dump.output().toStdString();
        for (qsizetype i = 1; i < values.size(); ++i)
            EXPECT_GT(values[i], values[i - 1]) << "value " << i << " of " << dump.output().toStdString();
        EXPECT_EQ(values.last(), 127) << "the drag ends at the right end of the fader";
    }

    {
        SCOPED_TRACE("a click on the OSC pad: the address with the float 1.0 at press and 0.0 at release");
        oscPeer.clear();
        program.click(frames[1].center());
        const QRegularExpression press(QRegularExpression::escape(oscPadAddress) + " f 1\\.0+\\b");
        const QRegularExpression release(QRegularExpression::escape(oscPadAddress) + " f 0\\.0+\\b");
        EXPECT_TRUE(oscPeer.waitForOutput([&](const QString &out) {
            return out.contains(press) && out.contains(release) && out.indexOf(press) < out.indexOf(release);
        })) << oscPeer.output().toStdString();
        EXPECT_TRUE(controlValues(dump.output(), "b0 00").isEmpty())
            << "an OSC pad sends no MIDI: " << dump.output().toStdString();
    }

    dump.stop();
    QString failure;
    EXPECT_TRUE(program.stop(&failure)) << "the program did not quit cleanly: " << failure.toStdString();
}

} // namespace
