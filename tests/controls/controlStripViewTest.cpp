#include "ViewTestSupport.h"

#include "controls/ControlStripLayout.h"
#include "controls/controlStripView.h"

using namespace ViewTestSupport;

namespace {

class ControlStripViewTest : public SurfaceViewTest<controlStripView, &SurfaceRig::m_strip> {
protected:
    void SetUp() override { showAt(1000); }

    // A point inside a button clear of its symbol and label.
    static QRectF corner(const QRectF &upwards) { return QRectF(flipped(upwards).left() + 12, 1, 1, 1); }
};

TEST(ControlStripLayoutTest, SegmentsAtFullWidth)
{
    const ControlStripLayout layout(1000, 30);
    EXPECT_EQ(layout.ends(), (std::array<float, 9>{40, 340, 440, 540, 640, 740, 840, 960, 1000}));
    const std::pair<float, int> touches[] = {{0, 0},   {39.9f, 0}, {40, 1},  {300, 1}, {340, 2},
                                             {845, 7}, {959, 7},   {970, 8}, {1000, 8}};
    for (const auto &[x, segment] : touches)
        EXPECT_EQ(layout.segmentAt(x), segment) << "x " << x;
}

// Below 760 points the middle segments shrink together instead of the volume fader vanishing.
TEST(ControlStripLayoutTest, NarrowWidthsKeepEverySegment)
{
    for (const float width : {760.0f, 700.0f, 600.0f, 300.0f, 100.0f}) {
        const ControlStripLayout layout(width, 30);
        EXPECT_EQ(layout.ends()[8], width);
        for (int segment = 0; segment < 9; ++segment)
            EXPECT_GT(layout.segmentWidth(segment), 0) << "W " << width << " segment " << segment;
        EXPECT_NEAR(layout.segmentWidth(1) / layout.segmentWidth(2), 0.6, 1e-4) << "W " << width;
        EXPECT_EQ(layout.segmentAt(width - 1), 8);
    }
    EXPECT_EQ(ControlStripLayout(760, 30).ends()[1], 100) << "continuous with the wide layout";
    EXPECT_EQ(ControlStripLayout(0, 30).segmentAt(0), 8);
}

// The volume fader spans its segment; pan and sends take 200 points; both clamp. Rows: start
// value, touch from and to, channel, value reached.
TEST_F(ControlStripViewTest, DragSensitivities)
{
    const std::tuple<const char *, float, qreal, qreal, int, float> cases[] = {
        {"volume half", 0, 100, 250, 1, 0.5f},
        {"volume clamps", 0, 60, 500, 1, 1.0f},
        {"pan", 0, 350, 500, 2, 0.75f},
        {"send 4 clamps", 0, 750, 990, 6, 1.0f},
        {"send 1 leftwards", 1, 450, 300, 3, 0.25f},
    };
    for (const auto &[name, start, from, to, channel, expected] : cases) {
        SCOPED_TRACE(name);
        m_rig.m_strip.sendValue(start, channel - 1);
        takeSent();
        m_touches->press(from);
        m_touches->move(to);
        m_touches->release(to);
        EXPECT_EQ(takeSent(),
                  (QStringList{pitchBendHex(channel, int(start * 16383)), controlHex(39 + channel, 1),
                               pitchBendHex(channel, int(expected * 16383)), controlHex(39 + channel, 0)}));
        EXPECT_EQ(m_rig.m_strip.getValueForFader(channel - 1), expected);
    }
}

TEST_F(ControlStripViewTest, AnUnmovedTouchResendsTheValue)
{
    m_rig.surface(pitchBend(3, 4096));
    takeSent();
    m_touches->tap(460);
    EXPECT_EQ(takeSent(), (QStringList{pitchBendHex(3, 4096), controlHex(42, 1), controlHex(42, 0)}));
}

TEST_F(ControlStripViewTest, DeviceButtonOpensTheBankAndTakesItsColourOnlyWithADevice)
{
    const QRectF probe = corner(m_view->layout().deviceButton());
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f00")));
    m_touches->tap(845);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 0);
    EXPECT_TRUE(near(colourAt(render(), probe), SurfacePainting::darkGrey));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("Simpler")));
    EXPECT_EQ(m_view->label(7).text, "<no Device>");
    m_rig.surface(controlChange(3, 1));
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f00")));
    EXPECT_TRUE(near(colourAt(render(), probe), Qt::yellow));
    EXPECT_EQ(m_view->label(7).text.left(7), "Simpler") << "the name sent before the device shows with it";
    EXPECT_EQ(m_view->label(7).color, QColor(Qt::black));
    m_touches->tap(845);
    EXPECT_EQ(takeSent(), QStringList{controlHex(4, 1)});
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 1);
    m_rig.surface(controlChange(3, 0));
    m_touches->tap(845);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_view->label(7).text, "<no Device>");
}

TEST_F(ControlStripViewTest, CancelledTouchSendsNoRelease)
{
    auto fingers = m_touches->fingers();
    fingers.press(3, m_touches->at(200)).commit();
    fingers.stationary(3).press(4, m_touches->at(650)).commit();
    fingers.move(3, m_touches->at(260)).stationary(4).commit();
    takeSent();
    m_touches->cancel(3, 260);
    m_touches->cancel(4, 650);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_view->activeFaderCount(), 0);
    EXPECT_FLOAT_EQ(m_rig.m_strip.getValueForFader(0), 0.2f);
}

// Solo lights from 65; the power symbol of mute lights below 64, so a muted track shows grey. A
// tap sends the other half of the range from the value the host sent, a second tap toggles back.
TEST_F(ControlStripViewTest, SoloAndMuteShowAndToggleTheHostsValue)
{
    const std::tuple<int, int, bool, int> cases[] = {
        {1, 64, false, 0}, {1, 65, true, 0}, {1, 63, false, 127}, {2, 63, true, 127}, {2, 64, false, 0}};
    for (const auto &[controller, value, lit, sent] : cases) {
        SCOPED_TRACE(testing::Message() << "controller " << controller << " value " << value);
        m_rig.surface(controlChange(controller, value));
        const QRectF probe = controller == 1 ? QRectF(30, 2, 1, 1) : corner(m_view->layout().muteButton());
        EXPECT_TRUE(near(colourAt(render(), probe), lit ? QColor(Qt::red) : SurfacePainting::darkGrey));
        takeSent();
        m_touches->tap(controller == 1 ? 20 : 970);
        m_touches->tap(controller == 1 ? 20 : 970);
        EXPECT_EQ(takeSent(),
                  (QStringList{controlHex(controller, sent), controlHex(controller, 127 - sent)}));
    }
}

// Track colour, name and volume as the host sends them, read back from the pixels.
TEST_F(ControlStripViewTest, FeedbackShowsInTheTrackColour)
{
    const ControlStripLayout layout = m_view->layout();
    m_rig.surface(sysex(1, QByteArray::fromHex("00007f")));
    m_rig.surface(sysex(0, SurfaceEncoder::packText("Drums")));
    m_rig.surface(pitchBend(1, 16383));
    const QImage image = render();
    EXPECT_TRUE(near(colourAt(image, QRectF(60, 2, 1, 1)), Qt::blue)) << "the band behind the name";
    EXPECT_TRUE(near(colourAt(image, flipped(layout.marker(0, 1.0f))), Qt::blue));
    EXPECT_TRUE(near(colourAt(image, flipped(layout.marker(0, 0.0f))), SurfacePainting::darkGrey));
    EXPECT_EQ(m_view->label(1).text.left(5), "Drums");
    EXPECT_GT(inkIn(image, QRectF(100, 2, 200, 12), Qt::blue), 20) << "the name is drawn";
    EXPECT_EQ(inkIn(image, QRectF(60, 2, 30, 12), Qt::blue), 0);
}

// A send name replaces only its own label; a long device name takes a second line instead of
// being cut after a few letters.
TEST_F(ControlStripViewTest, HostTextsFillTheirOwnLabels)
{
    m_rig.surface(sysex(2, char(1) + SurfaceEncoder::packText("Reverb")));
    m_rig.surface(sysex(5, SurfaceEncoder::packText("Balance")));
    m_rig.surface(controlChange(3, 1));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("Glue Compressor Deluxe")));
    const QImage image = render();
    EXPECT_EQ(m_view->label(3).text, "Send 1");
    EXPECT_EQ(m_view->label(4).text.left(6), "Reverb");
    EXPECT_EQ(m_view->label(5).text, "Send 3");
    EXPECT_EQ(m_view->label(2).text.left(7), "Balance");
    const QRectF label = m_view->label(7).rect;
    EXPECT_GT(inkIn(image, QRectF(label.left(), 2, label.width(), 12), SurfacePainting::darkGrey), 20);
    EXPECT_GT(inkIn(image, QRectF(label.left(), 16, label.width(), 12), SurfacePainting::darkGrey), 20);
}

} // namespace
