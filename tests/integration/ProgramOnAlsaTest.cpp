#include "../platform/midi/AlsaPeer.h"
#include "PeerProcess.h"
#include "RunningProgram.h"
#include "controls/ControlStripLayout.h"
#include "controls/EightFaderLayout.h"
#include "controls/SurfacePainting.h"
#include "model/ControlCatalog.h"
#include "platform/touchbar/StripLayout.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The ports of one client as aconnect -i (readable) or -o (writable) lists them: name to number.
QMap<QString, int> clientPorts(const QString &listing, const QString &client)
{
    QMap<QString, int> ports;
    bool inClient = false;
    const QRegularExpression clientLine("^client \\d+: '(.*)'");
    const QRegularExpression portLine("^\\s+(\\d+) '(.*)'\\s*$");
    for (const QString &line : listing.split('\n')) {
        if (const auto match = clientLine.match(line); match.hasMatch())
            inClient = match.captured(1) == client;
        else if (const auto port = portLine.match(line); inClient && port.hasMatch())
            ports.insert(port.captured(2).trimmed(), port.captured(1).toInt());
    }
    return ports;
}

int clientNumber(const QString &listing, const QString &client)
{
    const QRegularExpression line("^client (\\d+): '" + QRegularExpression::escape(client) + "'",
                                  QRegularExpression::MultilineOption);
    const auto match = line.match(listing);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The program on the sequencer of this machine or of the guest of scripts/alsa-tests; where
// there is none the tests skip, unless scripts/alsa-tests said there is one.
class ProgramOnAlsaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = RunningProgram::missingServices(RunningProgram::Midi::Alsa);
        if (!missing.isEmpty() && alsaRequired())
            FAIL() << missing.toStdString();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
    }
};

// Touch bar 1 holds one control-change pad: 127 at the press, 0 at the release.
QVariantMap padPreferences()
{
    const QVariantMap pad{{"kind", "ctrl"},   {"value", 20},      {"channel", 1},   {"type", "momentary"},
                          {"scaleFrom", 0.0}, {"scaleTo", 127.0}, {"label", "ctrl"}};
    return {{ControlCatalog::customizationKey(0),
             QVariantMap{{"CurrentItems", QVariantList{ControlCatalog::identifier("pad1")}}}},
            {ControlCatalog::controlMapKey(0), QVariantMap{{"pad1", pad}}}};
}

// The program's client and ports as aconnect lists them, a tap on a pad heard by aseqdump on
// "Stripdeck User", and the same port numbers after a restart: they are what the stored
// identifiers ask for, while the client's own number is the sequencer's choice.
TEST_F(ProgramOnAlsaTest, ItsPortsAreListedAPadTapReachesAseqdumpAndTheyComeBackAfterARestart)
{
    RunningProgram program(padPreferences(), RunningProgram::Midi::Alsa);
    QString error;
    ASSERT_TRUE(program.start(&error)) << error.toStdString();
    const QString readable = runCommand({"aconnect", "-i"});
    const QString writable = runCommand({"aconnect", "-o"});
    const QMap<QString, int> sources = clientPorts(readable, "Stripdeck");
    const QMap<QString, int> destinations = clientPorts(writable, "Stripdeck");
    EXPECT_EQ(sources.keys(), (QStringList{"Stripdeck Surface", "Stripdeck User"})) << readable.toStdString();
    EXPECT_EQ(destinations.keys(), (QStringList{"Stripdeck Surface", "Stripdeck User"}))
        << writable.toStdString();
    const int client = clientNumber(readable, "Stripdeck");
    ASSERT_GE(client, 0);

    {
        SCOPED_TRACE("a tap on the pad, heard by aseqdump on \"Stripdeck User\"");
        PeerProcess dump;
        // aseqdump's output is a pipe here, which its C library would fill before passing on.
        ASSERT_TRUE(dump.start("stdbuf", {"-oL", "aseqdump", "-p",
                                          QString("%1:%2").arg(client).arg(sources["Stripdeck User"])}));
        ASSERT_TRUE(dump.waitForText("Source", 10000)) << "aseqdump did not start";
        ASSERT_TRUE(program.showStrip()) << "Show Stripdeck did not show the strip";
        const QPointF pad = StripLayout::layout({{StripLayout::Kind::Fixed, 72.0}}).first().center();
        program.click(pad);
        const QRegularExpression press("Control change\\s+0, controller 20, value 127\\b");
        const QRegularExpression release("Control change\\s+0, controller 20, value 0\\b");
        EXPECT_TRUE(dump.waitForOutput(
            [&](const QString &out) {
                return out.contains(press) && out.indexOf(release) > out.indexOf(press);
            },
            10000))
            << dump.output().toStdString();
    }

    QString failure;
    ASSERT_TRUE(program.stop(&failure)) << failure.toStdString();
    ASSERT_TRUE(program.start(&error)) << "restart: " << error.toStdString();
    EXPECT_EQ(clientPorts(runCommand({"aconnect", "-i"}), "Stripdeck"), sources);
    EXPECT_EQ(clientPorts(runCommand({"aconnect", "-o"}), "Stripdeck"), destinations);
    EXPECT_TRUE(program.stop(&failure)) << failure.toStdString();
}

bool near(const QColor &seen, const QColor &expected)
{
    constexpr int tolerance = 24;
    return std::abs(seen.red() - expected.red()) <= tolerance &&
           std::abs(seen.green() - expected.green()) <= tolerance &&
           std::abs(seen.blue() - expected.blue()) <= tolerance;
}

// A rectangle of a view's own geometry (lower-left origin) as strip points of the view's slot,
// and a point near its bottom left, clear of centred text and rounded corners.
QPointF fillPoint(const QRectF &frame, const QRectF &upwards)
{
    const QRectF rect =
        SurfacePainting::flipped(upwards, RunningProgram::stripHeight).translated(frame.left(), 0);
    return QPointF(rect.left() + std::min<qreal>(12, rect.width() / 2), rect.bottom() - 2);
}

// The host simulator over the sequencer: its feedback drives the channel strip and the bank,
// and the touches on them reach it.
TEST_F(ProgramOnAlsaTest, TheHostSimulatorDrivesTheStripAndTheBank)
{
    RunningProgram program({}, RunningProgram::Midi::Alsa);
    QString error;
    ASSERT_TRUE(program.start(&error)) << error.toStdString();
    PeerProcess host;
    ASSERT_TRUE(host.start(QStringLiteral(STRIPDECK_HOST_SIM), {"--backend", "alsa", "--listen", "-1"}));
    // Connected: the program's surface ports are subscribed both ways.
    ASSERT_TRUE(poll(
        [] {
            const QString listing = runCommand({"aconnect", "-l"});
            return listing.contains("Connecting To") && listing.contains("Connected From");
        },
        10000))
        << "the host simulator never connected to \"Stripdeck Surface\"";
    ASSERT_TRUE(program.changeMode()) << "Control Surface Mode did not show the strip";

    const auto play = [](const QStringList &commands) {
        QStringList arguments{"--backend", "alsa", "--listen", "0"};
        for (const QString &command : commands)
            arguments << "-e" << command;
        QProcess player;
        player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        player.start(QStringLiteral(STRIPDECK_HOST_SIM), arguments);
        return player.waitForFinished(30000) && player.exitCode() == 0;
    };
    const QColor trackBlue(0, 0, 255);
    const QColor deviceGreen(0, 201, 0);
    const QRectF stripFrame = StripLayout::layout({{StripLayout::Kind::Fill, 0.0}}).first();
    const ControlStripLayout strip{float(stripFrame.width()), float(stripFrame.height())};
    const QPointF device = fillPoint(stripFrame, strip.deviceButton());
    const QPointF band = fillPoint(stripFrame, strip.volumeBand());

    ASSERT_TRUE(play({"track-color 0 0 127", "has-device on", "device-name \"EQ\"", "device-color 0 100 0"}));
    EXPECT_TRUE(program.waitForScreen([&](const QImage &screen) {
        return near(program.pixel(screen, band), trackBlue) &&
               near(program.pixel(screen, device), deviceGreen);
    })) << "the host's strip feedback never showed";

    host.clear();
    program.click(device);
    EXPECT_TRUE(host.waitForText("strip device 1", 10000)) << host.output().toStdString();
    const QList<QRectF> popUp =
        StripLayout::layout({{StripLayout::Kind::Fixed, 72.0}, {StripLayout::Kind::Fill, 0.0}});
    const QRectF bankFrame = popUp.at(1);
    const EightFaderLayout bank{float(bankFrame.width()), float(bankFrame.height())};
    const QPointF slot1 = fillPoint(bankFrame, bank.slotBackground(1));
    ASSERT_TRUE(play({"param-type 1 2", "fader 1 1.0", "device-on on"}));
    EXPECT_TRUE(program.waitForScreen([&](const QImage &screen) {
        return !near(program.pixel(screen, band), trackBlue) &&
               near(program.pixel(screen, slot1), deviceGreen);
    })) << "the bank did not open or never showed the host's feedback";

    host.clear();
    program.click(fillPoint(bankFrame, bank.rightButton()));
    EXPECT_TRUE(host.waitForText("bank next 127", 10000)) << host.output().toStdString();
    host.clear();
    program.click(popUp.at(0).center());
    EXPECT_TRUE(host.waitForText("strip device 0", 10000)) << host.output().toStdString();

    host.stop();
    QString failure;
    EXPECT_TRUE(program.stop(&failure)) << failure.toStdString();
}

} // namespace
