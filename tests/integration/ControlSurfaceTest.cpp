#include "PeerProcess.h"
#include "RunningProgram.h"
#include "controls/ControlStripLayout.h"
#include "controls/EightFaderLayout.h"
#include "controls/SurfacePainting.h"
#include "platform/touchbar/StripLayout.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using SurfacePainting::flipped;

const QColor darkGrey = SurfacePainting::darkGrey;
// The host's colours: components 0 … 127, shown as fractions of 127.
const QColor trackBlue(0, 0, 255);
const QColor deviceGreen(0, 201, 0);
const char *const trackBlueCommand = "track-color 0 0 127";
const char *const deviceGreenCommand = "device-color 0 100 0";

bool near(const QColor &seen, const QColor &expected)
{
    constexpr int tolerance = 24;
    return std::abs(seen.red() - expected.red()) <= tolerance &&
           std::abs(seen.green() - expected.green()) <= tolerance &&
           std::abs(seen.blue() - expected.blue()) <= tolerance;
}

// A point of the screen and the colour it should show.
struct Spot {
    QPointF at;
    QColor colour;
};

// A rectangle of a view's own geometry (lower-left origin) as strip points of the view's slot.
QRectF onStrip(const QRectF &frame, const QRectF &upwards)
{
    return flipped(upwards, RunningProgram::stripHeight).translated(frame.left(), 0);
}

// Near the bottom left of a rectangle, clear of centred text and of rounded corners.
QPointF fillPoint(const QRectF &rect)
{
    return QPointF(rect.left() + std::min<qreal>(12, rect.width() / 2), rect.bottom() - 2);
}

// The bounding box, in screen pixels, of what is drawn in white inside a rectangle.
QRect inkBox(const RunningProgram &program, const QImage &screen, const QRectF &points)
{
    const QRect pixels =
        QRect(program.screenPoint(points.topLeft()), program.screenPoint(points.bottomRight())) &
        screen.rect();
    QRect box;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            box |= std::min({c.red(), c.green(), c.blue()}) > 170 ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return box;
}

class ControlSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = RunningProgram::missingServices();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        QString error;
        m_started = m_program.start(&error);
        ASSERT_TRUE(m_started) << error.toStdString();
        ASSERT_TRUE(
            m_host.start(QStringLiteral(STRIPDECK_HOST_SIM), {"--backend", "jack", "--listen", "-1"}));
        ASSERT_TRUE(poll(
            [] {
                return runCommand({"jack_lsp", "-c", "Stripdeck Surface:out"}).contains("Host Sim");
            },
            10000))
            << "the host simulator never connected to \"Stripdeck Surface\"";
        // From nothing shown, the mode entry presents the channel strip at once.
        ASSERT_TRUE(m_program.changeMode()) << "Control Surface Mode did not show the strip";
    }

    void TearDown() override
    {
        m_host.stop();
        QString failure;
        if (m_started) {
            EXPECT_TRUE(m_program.stop(&failure))
                << "the program did not quit cleanly: " << failure.toStdString();
        }
    }

    // Plays host commands as the DAW's script would until the screen shows what they say.
    // The dummy JACK server may drop MIDI when it overruns, so a lost batch is played again;
    // a wrong display never turns right by repeating.
    bool playUntilShown(const QStringList &commands, const std::function<bool(const QImage &)> &shown)
    {
        QStringList arguments{"--backend", "jack", "--listen", "0"};
        for (const QString &command : commands)
            arguments << "-e" << command;
        for (int attempt = 0; attempt < 3; ++attempt) {
            QProcess player;
            player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            player.start(QStringLiteral(STRIPDECK_HOST_SIM), arguments);
            player.waitForFinished(20000);
            if (m_program.waitForScreen(shown))
                return true;
        }
        return false;
    }

    // Clicks until the host hears a reply that starts with prefix; answers that reply line and
    // how many clicks it took.
    QString clickUntilHeard(const QPointF &at, const QString &prefix, int *clicks = nullptr)
    {
        const QRegularExpression reply("^" + QRegularExpression::escape(prefix) + ".*$",
                                       QRegularExpression::MultilineOption);
        for (int attempt = 1; attempt <= 3; ++attempt) {
            m_host.clear();
            m_program.click(at);
            if (m_host.waitForOutput([&](const QString &out) { return out.contains(reply); })) {
                if (clicks)
                    *clicks = attempt;
                return reply.match(m_host.output()).captured(0);
            }
        }
        return {};
    }

    // Drags by 100 points to the right from a fader at 0.5; the host hears the value once more at
    // the touch, then values that rise to expectedEnd, then the release.
    // Tried again when JACK lost the release.
    void expectRisingDrag(const QPointF &from, const QString &fader, double expectedEnd)
    {
        const QRegularExpression value(QRegularExpression::escape(fader) + " value (\\d+)");
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_host.clear();
            m_program.drag(from, from + QPointF(100, 0), 20);
            if (!m_host.waitForText(fader + " touch 0"))
                continue;
            const QString out = m_host.output();
            QList<int> values;
            for (auto match = value.globalMatch(out); match.hasNext();)
                values.append(match.next().captured(1).toInt());
            EXPECT_TRUE(out.contains(fader + " touch 1")) << out.toStdString();
            EXPECT_GT(out.indexOf(fader + " touch 0"), out.lastIndexOf(value)) << out.toStdString();
            ASSERT_GE(values.size(), 5) << out.toStdString();
            EXPECT_EQ(values.first(), 8191) << "the value the host set, sent once more at the touch";
            // Never falling, but not always rising: on a busy machine the host now and then hears
            // one value twice in a row, though the view sends only when the position changes.
            for (qsizetype i = 1; i < values.size(); ++i)
                EXPECT_GE(values[i], values[i - 1]) << out.toStdString();
            EXPECT_NEAR(values.last(), expectedEnd * 16383, 16383 * 0.02);
            return;
        }
        ADD_FAILURE() << "the host never heard " << fader.toStdString() << " released";
    }

    bool shows(const QImage &screen, const QList<Spot> &spots) const
    {
        return std::all_of(spots.begin(), spots.end(), [&](const Spot &spot) {
            return near(m_program.pixel(screen, spot.at), spot.colour);
        });
    }
    // The strip shows the channel strip alone, the device pop-up the close button and the bank.
    static QRectF stripFrame() { return StripLayout::layout({{StripLayout::Kind::Fill, 0.0}}).first(); }
    static QList<QRectF> popUpFrames()
    {
        return StripLayout::layout({{StripLayout::Kind::Fixed, 72.0}, {StripLayout::Kind::Fill, 0.0}});
    }

    RunningProgram m_program;
    bool m_started = false;
    PeerProcess m_host;
    const QRectF m_stripFrame = stripFrame();
    const ControlStripLayout m_strip{float(m_stripFrame.width()), float(m_stripFrame.height())};
    const QRectF m_bankFrame = popUpFrames().at(1);
    const EightFaderLayout m_bank{float(m_bankFrame.width()), float(m_bankFrame.height())};

    QPointF stripPoint(const QRectF &upwards) const { return fillPoint(onStrip(m_stripFrame, upwards)); }
    QPointF bankPoint(const QRectF &upwards) const { return fillPoint(onStrip(m_bankFrame, upwards)); }
    QRectF stripLabel(int segment) const { return onStrip(m_stripFrame, m_strip.label(segment)); }
    // The track-coloured band behind the track name tells the strip from the bank.
    bool stripShown(const QImage &screen) const
    {
        return near(m_program.pixel(screen, stripPoint(m_strip.volumeBand())), trackBlue);
    }
    bool bankShown(const QImage &screen) const
    {
        return !stripShown(screen) &&
               near(m_program.pixel(screen, bankPoint(m_bank.leftButton())), darkGrey) &&
               near(m_program.pixel(screen, bankPoint(m_bank.slotBackground(0))), darkGrey);
    }
};

TEST_F(ControlSurfaceTest, HostFeedbackShowsOnTheStripAndItsTouchesReachTheHost)
{
    const QImage before = m_program.screenshot();
    const auto inkWidth = [&](const QImage &screen, int segment) {
        return inkBox(m_program, screen, stripLabel(segment)).width();
    };
    const QPointF solo = stripPoint(m_strip.soloButton());
    const QPointF mute = stripPoint(m_strip.muteButton());
    EXPECT_TRUE(shows(before, {{solo, darkGrey}})) << "solo starts off";

    const QList<Spot> spots{
        {stripPoint(m_strip.volumeBand()), trackBlue},
        {onStrip(m_stripFrame, m_strip.marker(0, 0.5f)).center(), trackBlue},
        {onStrip(m_stripFrame, m_strip.marker(1, 1.0f)).center(), trackBlue},
        {solo, trackBlue},
        {mute, darkGrey},
        {stripPoint(m_strip.deviceButton()), deviceGreen},
        {onStrip(m_stripFrame, m_strip.marker(0, 0.0f)).center(), darkGrey},
    };
    EXPECT_TRUE(
        playUntilShown({"track-name \"Lead Vocal Bus Left\"", trackBlueCommand, "pan-name \"Balance Wide\"",
                        "send-name 0 \"Reverb Plate Long\"", "strip-fader 0 0.5", "strip-fader 1 1.0",
                        "solo on", "mute on", "has-device on", "device-name \"EQ\"", deviceGreenCommand},
                       [&](const QImage &screen) { return shows(screen, spots); }))
        << "the host's strip feedback never showed";
    // Names: the host's long names need more room than "Volume", "Pan" and "Send 1", its "EQ"
    // less than "<no Device>".
    const QImage after = m_program.screenshot();
    for (int segment : {1, 2, 3}) {
        EXPECT_GT(inkWidth(after, segment), inkWidth(before, segment) * 3 / 2) << "label " << segment;
        EXPECT_GT(inkWidth(before, segment), 0) << "label " << segment;
    }
    EXPECT_LT(inkWidth(after, 7), inkWidth(before, 7) / 2) << "the device name";
    EXPECT_GT(inkWidth(after, 7), 0) << "the device name";

    {
        SCOPED_TRACE("solo and mute touches send the flipped states and redraw");
        // Every click flips the state; a reply lost with its click leaves the flip behind.
        const struct {
            QPointF at;
            QString reply;
            QColor afterOneClick;
        } buttons[] = {{solo, "strip solo", darkGrey}, {mute, "strip mute", trackBlue}};
        for (const auto &button : buttons) {
            int clicks = 0;
            const QString reply = clickUntilHeard(button.at, button.reply, &clicks);
            EXPECT_EQ(reply, button.reply + (clicks % 2 == 1 ? " 0" : " 127"));
            if (clicks == 1) {
                EXPECT_TRUE(m_program.waitForScreen([&](const QImage &s) {
                    return near(m_program.pixel(s, button.at), button.afterOneClick);
                })) << button.reply.toStdString()
                    << " redrawn (mute's power symbol lights when the track plays)";
            }
        }
    }

    SCOPED_TRACE("a drag on the volume fader sends its value once, then rising values");
    expectRisingDrag(onStrip(m_stripFrame, m_strip.volumeBackground()).center(), "strip fader 0",
                     0.5 + 100.0 / m_strip.segmentWidth(ControlStripLayout::volume));
}

TEST_F(ControlSurfaceTest, DeviceButtonOpensTheBankWhichMirrorsTheHostUntilClosed)
{
    const QPointF device = stripPoint(m_strip.deviceButton());
    const QList<Spot> deviceShown{{stripPoint(m_strip.volumeBand()), trackBlue}, {device, deviceGreen}};
    ASSERT_TRUE(playUntilShown({trackBlueCommand, "has-device on", "device-name \"EQ\"", deviceGreenCommand},
                               [&](const QImage &screen) { return shows(screen, deviceShown); }));
    const auto openBank = [&] {
        return clickUntilHeard(device, "strip device") == "strip device 1" &&
               m_program.waitForScreen([&](const QImage &s) { return bankShown(s); });
    };
    ASSERT_TRUE(openBank()) << "the bank did not open";
    const QImage before = m_program.screenshot();
    const QRectF bankNumber = onStrip(m_bankFrame, m_bank.bankNumberLabel());
    const QRectF name0 = onStrip(m_bankFrame, m_bank.nameLabel(0));
    const QRect dash = inkBox(m_program, before, bankNumber);
    EXPECT_TRUE(inkBox(m_program, before, name0).isEmpty()) << "no parameter name before the host sends one";

    {
        SCOPED_TRACE("names, values, types, bank number and device state from the host");
        const QList<Spot> spots{
            {onStrip(m_bankFrame, m_bank.marker(3, 0.5f)).center(), deviceGreen},
            {bankPoint(m_bank.slotBackground(1)), deviceGreen},
            {bankPoint(m_bank.rightButton()), deviceGreen},
        };
        EXPECT_TRUE(playUntilShown({"param-name 0 \"Cutoff\"", "fader 3 0.5", "param-type 1 2", "fader 1 1.0",
                                    "bank 7", "device-on on"},
                                   [&](const QImage &screen) {
                                       return shows(screen, spots) &&
                                              inkBox(m_program, screen, bankNumber).height() >
                                                  dash.height() * 2;
                                   }))
            << "bank feedback never showed; \"-\" was " << dash.height() << " px high";
        EXPECT_FALSE(inkBox(m_program, m_program.screenshot(), name0).isEmpty()) << "parameter 0's name";
    }

    {
        SCOPED_TRACE("touches on the bank");
        expectRisingDrag(onStrip(m_bankFrame, m_bank.slotBackground(3)).center(), "bank fader 3",
                         0.5 + 100.0 / EightFaderLayout::dragRange);
        EXPECT_EQ(clickUntilHeard(bankPoint(m_bank.leftButton()), "bank previous"), "bank previous 127");
        EXPECT_EQ(clickUntilHeard(bankPoint(m_bank.rightButton()), "bank next"), "bank next 127");
    }

    SCOPED_TRACE(
        "the close button tells the host and shows the strip again; so does the host's \"no device\"");
    EXPECT_EQ(clickUntilHeard(popUpFrames().at(0).center(), "strip device"), "strip device 0");
    EXPECT_TRUE(m_program.waitForScreen([&](const QImage &s) { return stripShown(s); }));
    ASSERT_TRUE(openBank());
    EXPECT_TRUE(playUntilShown({"has-device off"}, [&](const QImage &s) { return stripShown(s); }));
}

} // namespace
