#include "PeerProcess.h"
#include "RunningProgram.h"
#include "controls/ControlStripLayout.h"
#include "controls/EightFaderLayout.h"
#include "controls/SurfacePainting.h"
#include "platform/touchbar/StripLayout.h"

#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using SurfacePainting::flipped;

const QColor darkGrey = SurfacePainting::darkGrey;
// The host's colours: components 0 … 127, shown as fractions of 127.
const QColor trackBlue(0, 0, 255);
const QColor deviceGreen(0, 201, 0);
const QString trackBlueCommand = QStringLiteral("track-color 0 0 127");
const QString deviceGreenCommand = QStringLiteral("device-color 0 100 0");

bool near(const QColor &seen, const QColor &expected)
{
    constexpr int tolerance = 24;
    return std::abs(seen.red() - expected.red()) <= tolerance &&
           std::abs(seen.green() - expected.green()) <= tolerance &&
           std::abs(seen.blue() - expected.blue()) <= tolerance;
}

std::string describe(const QColor &colour)
{
    return QStringLiteral("(%1, %2, %3)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .toStdString();
}

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

// The pixels of a rectangle that text or symbols drawn in white cover: set in the mask.
QImage inkMask(const RunningProgram &program, const QImage &screen, const QRectF &points)
{
    const QRect pixels(program.screenPoint(points.topLeft()), program.screenPoint(points.bottomRight()));
    QImage mask(pixels.size(), QImage::Format_Mono);
    mask.fill(0);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QColor c = screen.pixelColor(pixels.topLeft() + QPoint(x, y));
            if (std::min({c.red(), c.green(), c.blue()}) > 170)
                mask.setPixel(x, y, 1);
        }
    }
    return mask;
}

// The bounding box, in pixels of the rectangle, of what is drawn in white inside it.
QRect inkBox(const RunningProgram &program, const QImage &screen, const QRectF &points)
{
    const QImage mask = inkMask(program, screen, points);
    QRect box;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.pixelIndex(x, y) == 1)
                box |= QRect(x, y, 1, 1);
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
        ASSERT_TRUE(m_host.start(QStringLiteral(STRIPDECK_HOST_SIM),
                                 {QStringLiteral("--backend"), QStringLiteral("jack"),
                                  QStringLiteral("--listen"), QStringLiteral("-1")}));
        ASSERT_TRUE(waitForHostConnection()) << "the host simulator never connected to \"Stripdeck Surface\"";
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

    static bool waitForHostConnection()
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString connections = runCommand(
                {QStringLiteral("jack_lsp"), QStringLiteral("-c"), QStringLiteral("Stripdeck Surface:out")});
            if (connections.contains(QLatin1String("Host Sim")))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    // Plays host commands as the DAW's script would until the screen shows what they say.
    // The dummy JACK server may drop MIDI when it overruns, so a lost batch is played again;
    // a wrong display never turns right by repeating.
    bool playUntilShown(const QStringList &commands, const std::function<bool(const QImage &)> &shown)
    {
        QStringList arguments{QStringLiteral("--backend"), QStringLiteral("jack"), QStringLiteral("--listen"),
                              QStringLiteral("0")};
        for (const QString &command : commands)
            arguments << QStringLiteral("-e") << command;
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
        const QRegularExpression reply(QStringLiteral("^") + QRegularExpression::escape(prefix) +
                                           QStringLiteral(".*$"),
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

    // The values a drag sent for one fader, checked to rise without repeats between its touch
    // and its release. Tried again when JACK lost the release.
    QList<int> dragValues(const QPointF &from, const QPointF &to, const QString &fader)
    {
        const QRegularExpression value(QRegularExpression::escape(fader) + QStringLiteral(" value (\\d+)"));
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_host.clear();
            m_program.drag(from, to, 20);
            if (!m_host.waitForText(fader + QStringLiteral(" touch 0")))
                continue;
            const QString out = m_host.output();
            QList<int> values;
            for (auto match = value.globalMatch(out); match.hasNext();)
                values.append(match.next().captured(1).toInt());
            // The touch follows the first value, which repeats the fader's position; the
            // release comes after the last.
            const QString touched = fader + QStringLiteral(" touch 1");
            EXPECT_TRUE(out.contains(touched)) << out.toStdString();
            EXPECT_GT(out.indexOf(fader + QStringLiteral(" touch 0")), out.lastIndexOf(value))
                << out.toStdString();
            return values;
        }
        return {};
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
    const QColor soloBefore = m_program.pixel(before, stripPoint(m_strip.soloButton()));
    EXPECT_TRUE(near(soloBefore, darkGrey)) << "solo starts off: " << describe(soloBefore);

    const QStringList feedback{
        QStringLiteral("track-name \"Lead Vocal Bus Left\""),
        trackBlueCommand,
        QStringLiteral("pan-name \"Balance Wide\""),
        QStringLiteral("send-name 0 \"Reverb Plate Long\""),
        QStringLiteral("strip-fader 0 0.5"),
        QStringLiteral("strip-fader 1 1.0"),
        QStringLiteral("solo on"),
        QStringLiteral("mute on"),
        QStringLiteral("has-device on"),
        QStringLiteral("device-name \"EQ\""),
        deviceGreenCommand,
    };
    const QPointF volumeMarker = onStrip(m_stripFrame, m_strip.marker(0, 0.5f)).center();
    const QPointF volumeAtZero = onStrip(m_stripFrame, m_strip.marker(0, 0.0f)).center();
    const QPointF panMarker = onStrip(m_stripFrame, m_strip.marker(1, 1.0f)).center();
    const QPointF solo = stripPoint(m_strip.soloButton());
    const QPointF mute = stripPoint(m_strip.muteButton());
    const QPointF device = stripPoint(m_strip.deviceButton());
    const bool shown = playUntilShown(feedback, [&](const QImage &screen) {
        return stripShown(screen) && near(m_program.pixel(screen, volumeMarker), trackBlue) &&
               near(m_program.pixel(screen, panMarker), trackBlue) &&
               near(m_program.pixel(screen, solo), trackBlue) &&
               near(m_program.pixel(screen, mute), darkGrey) &&
               near(m_program.pixel(screen, device), deviceGreen);
    });
    const QImage after = m_program.screenshot();
    EXPECT_TRUE(shown) << "track colour band "
                       << describe(m_program.pixel(after, stripPoint(m_strip.volumeBand())))
                       << ", volume marker " << describe(m_program.pixel(after, volumeMarker))
                       << ", pan marker " << describe(m_program.pixel(after, panMarker)) << ", solo "
                       << describe(m_program.pixel(after, solo)) << ", mute "
                       << describe(m_program.pixel(after, mute)) << ", device "
                       << describe(m_program.pixel(after, device));
    EXPECT_TRUE(near(m_program.pixel(after, volumeAtZero), darkGrey)) << "the volume marker left 0";
    // Names: the host's long names need more room than "Volume", "Pan" and "Send 1", its "EQ"
    // less than "<no Device>".
    for (int segment : {1, 2, 3}) {
        EXPECT_GT(inkWidth(after, segment), inkWidth(before, segment) * 3 / 2) << "label " << segment;
        EXPECT_GT(inkWidth(before, segment), 0) << "label " << segment;
    }
    EXPECT_LT(inkWidth(after, 7), inkWidth(before, 7) / 2) << "the device name";
    EXPECT_GT(inkWidth(after, 7), 0) << "the device name";

    {
        SCOPED_TRACE("solo and mute touches send the flipped states and redraw");
        int clicks = 0;
        const QString soloReply = clickUntilHeard(solo, QStringLiteral("strip solo"), &clicks);
        // Every click flips the state; a reply lost with its click leaves the flip behind.
        EXPECT_EQ(soloReply,
                  clicks % 2 == 1 ? QStringLiteral("strip solo 0") : QStringLiteral("strip solo 127"));
        if (clicks == 1) {
            EXPECT_TRUE(m_program.waitForScreen([&](const QImage &s) {
                return near(m_program.pixel(s, solo), darkGrey);
            })) << "solo turned off";
        }
        const QString muteReply = clickUntilHeard(mute, QStringLiteral("strip mute"), &clicks);
        EXPECT_EQ(muteReply,
                  clicks % 2 == 1 ? QStringLiteral("strip mute 0") : QStringLiteral("strip mute 127"));
        if (clicks == 1) {
            EXPECT_TRUE(m_program.waitForScreen([&](const QImage &s) {
                return near(m_program.pixel(s, mute), trackBlue);
            })) << "the power symbol lights when the track plays";
        }
    }

    {
        SCOPED_TRACE("a drag on the volume fader sends its value once, then rising values");
        const QPointF from = onStrip(m_stripFrame, m_strip.volumeBackground()).center();
        const QList<int> values = dragValues(from, from + QPointF(100, 0), QStringLiteral("strip fader 0"));
        ASSERT_GE(values.size(), 5) << m_host.output().toStdString();
        EXPECT_EQ(values.first(), 8191) << "the value the host set, sent once more at the touch";
        for (qsizetype i = 1; i < values.size(); ++i)
            EXPECT_GT(values[i], values[i - 1]) << m_host.output().toStdString();
        // 100 of the volume fader's points move it by 100 / its width.
        const double expected = (0.5 + 100.0 / m_strip.segmentWidth(ControlStripLayout::volume)) * 16383;
        EXPECT_NEAR(values.last(), expected, 16383 * 0.02);
    }
}

TEST_F(ControlSurfaceTest, DeviceButtonOpensTheBankWhichMirrorsTheHostUntilClosed)
{
    const QPointF device = stripPoint(m_strip.deviceButton());
    ASSERT_TRUE(playUntilShown({trackBlueCommand, QStringLiteral("has-device on"),
                                QStringLiteral("device-name \"EQ\""), deviceGreenCommand},
                               [&](const QImage &screen) {
                                   return stripShown(screen) &&
                                          near(m_program.pixel(screen, device), deviceGreen);
                               }));

    ASSERT_EQ(clickUntilHeard(device, QStringLiteral("strip device")), QStringLiteral("strip device 1"));
    ASSERT_TRUE(m_program.waitForScreen([&](const QImage &s) { return bankShown(s); }))
        << "the bank did not open";
    const QImage before = m_program.screenshot();
    const QRectF bankNumber = onStrip(m_bankFrame, m_bank.bankNumberLabel());
    const QRect dash = inkBox(m_program, before, bankNumber);
    EXPECT_TRUE(inkBox(m_program, before, onStrip(m_bankFrame, m_bank.nameLabel(0))).isEmpty())
        << "no parameter name before the host sends one";

    {
        SCOPED_TRACE("names, values, types, bank number and device state from the host");
        const QPointF marker3 = onStrip(m_bankFrame, m_bank.marker(3, 0.5f)).center();
        const QPointF toggle1 = bankPoint(m_bank.slotBackground(1));
        const QPointF rightButton = bankPoint(m_bank.rightButton());
        const bool shown =
            playUntilShown({QStringLiteral("param-name 0 \"Cutoff\""), QStringLiteral("fader 3 0.5"),
                            QStringLiteral("param-type 1 2"), QStringLiteral("fader 1 1.0"),
                            QStringLiteral("bank 7"), QStringLiteral("device-on on")},
                           [&](const QImage &screen) {
                               return near(m_program.pixel(screen, marker3), deviceGreen) &&
                                      near(m_program.pixel(screen, toggle1), deviceGreen) &&
                                      near(m_program.pixel(screen, rightButton), deviceGreen) &&
                                      inkBox(m_program, screen, bankNumber).height() > dash.height() * 2;
                           });
        const QImage after = m_program.screenshot();
        EXPECT_TRUE(shown) << "marker 3 " << describe(m_program.pixel(after, marker3)) << ", toggle slot 1 "
                           << describe(m_program.pixel(after, toggle1)) << ", device on "
                           << describe(m_program.pixel(after, rightButton)) << ", bank number ink "
                           << inkBox(m_program, after, bankNumber).height() << " px high, \"-\" was "
                           << dash.height();
        EXPECT_FALSE(inkBox(m_program, after, onStrip(m_bankFrame, m_bank.nameLabel(0))).isEmpty())
            << "parameter 0's name";

        const QPointF marker5 = onStrip(m_bankFrame, m_bank.marker(5, 0.25f)).center();
        EXPECT_TRUE(playUntilShown({QStringLiteral("fader 5 0.25"), QStringLiteral("color-mode on")},
                                   [&](const QImage &screen) {
                                       return near(m_program.pixel(screen, marker5),
                                                   QColor::fromHsvF(0.569444f, 0.73f, 0.96f));
                                   }))
            << "colour mode 2 paints slot 5 in its palette colour, not the device's";

        // Bank mode 1 puts arrows on both end buttons: the bank number and the device's power
        // symbol give way.
        const QImage numbered = m_program.screenshot();
        const QRectF bypass = onStrip(m_bankFrame, m_bank.bypassLabel());
        EXPECT_TRUE(playUntilShown({QStringLiteral("bank-mode on")}, [&](const QImage &screen) {
            return inkMask(m_program, screen, bankNumber) != inkMask(m_program, numbered, bankNumber) &&
                   inkMask(m_program, screen, bypass) != inkMask(m_program, numbered, bypass);
        })) << "bank mode changed neither end button";
    }

    {
        SCOPED_TRACE("touches on the bank");
        const QPointF slot3 = onStrip(m_bankFrame, m_bank.slotBackground(3)).center();
        const QList<int> values = dragValues(slot3, slot3 + QPointF(100, 0), QStringLiteral("bank fader 3"));
        ASSERT_GE(values.size(), 5) << m_host.output().toStdString();
        EXPECT_EQ(values.first(), 8191);
        for (qsizetype i = 1; i < values.size(); ++i)
            EXPECT_GT(values[i], values[i - 1]) << m_host.output().toStdString();
        EXPECT_NEAR(values.last(), (0.5 + 100.0 / EightFaderLayout::dragRange) * 16383, 16383 * 0.02);

        EXPECT_EQ(clickUntilHeard(bankPoint(m_bank.leftButton()), QStringLiteral("bank previous")),
                  QStringLiteral("bank previous 127"));
        EXPECT_EQ(clickUntilHeard(bankPoint(m_bank.rightButton()), QStringLiteral("bank next")),
                  QStringLiteral("bank next 127"));
    }

    {
        SCOPED_TRACE("the close button tells the host and shows the strip again");
        const QPointF close = popUpFrames().at(0).center();
        EXPECT_EQ(clickUntilHeard(close, QStringLiteral("strip device")), QStringLiteral("strip device 0"));
        EXPECT_TRUE(m_program.waitForScreen([&](const QImage &s) { return stripShown(s); }));
    }

    {
        SCOPED_TRACE("the host's \"no device\" closes the bank");
        ASSERT_EQ(clickUntilHeard(device, QStringLiteral("strip device")), QStringLiteral("strip device 1"));
        ASSERT_TRUE(m_program.waitForScreen([&](const QImage &s) { return bankShown(s); }));
        EXPECT_TRUE(playUntilShown({QStringLiteral("has-device off")},
                                   [&](const QImage &s) { return stripShown(s); }));
    }
}

} // namespace
