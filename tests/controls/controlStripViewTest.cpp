#include "../midi/SurfaceRig.h"
#include "ViewTestSupport.h"
#include "ViewTouches.h"

#include "controls/ControlStripLayout.h"
#include "controls/SurfacePainting.h"
#include "controls/controlStripView.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ViewTestSupport;

namespace {

constexpr int height = 30;

class ControlStripViewTest : public ::testing::Test {
protected:
    void SetUp() override { showAt(1000); }

    void showAt(int width)
    {
        m_view = std::make_unique<controlStripView>(&m_rig.m_strip);
        m_view->resize(width, height);
        m_view->show();
        m_touches = std::make_unique<ViewTouches>(*m_view);
        render();
    }

    QImage render() { return rendered(*m_view); }

    QStringList takeSent()
    {
        const QStringList sent = m_rig.sentToSurface();
        m_rig.m_backend->clearSent();
        return sent;
    }
    QRectF flipped(const QRectF &upwards) const { return SurfacePainting::flipped(upwards, height); }
    // A point inside a button clear of its symbol and label.
    QRectF corner(const QRectF &upwards) const
    {
        const QRectF rect = flipped(upwards);
        return QRectF(rect.left() + 12, 1, 1, 1);
    }

    SurfaceRig m_rig;
    std::unique_ptr<controlStripView> m_view;
    std::unique_ptr<ViewTouches> m_touches;
};

TEST(ControlStripLayoutTest, SegmentsAtFullWidth)
{
    const ControlStripLayout layout(1000, height);
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
        const ControlStripLayout layout(width, height);
        EXPECT_EQ(layout.ends()[8], width);
        for (int segment = 0; segment < 9; ++segment)
            EXPECT_GT(layout.segmentWidth(segment), 0) << "W " << width << " segment " << segment;
        EXPECT_NEAR(layout.segmentWidth(1) / layout.segmentWidth(2), 0.6, 1e-4) << "W " << width;
        EXPECT_EQ(layout.segmentAt(width - 1), 8);
    }
    EXPECT_EQ(ControlStripLayout(760, height).ends()[1], 100) << "continuous with the wide layout";
    EXPECT_EQ(ControlStripLayout(0, height).segmentAt(0), 8);
}

struct DragCase {
    const char *name;
    qreal from;
    qreal to;
    int channel;
    float expected;
};

// The volume fader spans its segment; pan and sends take 200 points; both clamp.
TEST_F(ControlStripViewTest, DragSensitivities)
{
    const DragCase cases[] = {
        {"volume half", 100, 250, 1, 0.5f},
        {"volume clamps", 60, 500, 1, 1.0f},
        {"pan", 350, 500, 2, 0.75f},
        {"send 4 clamps", 750, 990, 6, 1.0f},
    };
    for (const DragCase &drag : cases) {
        const int fader = drag.channel - 1;
        m_rig.m_strip.sendValue(0.0f, fader);
        takeSent();
        m_touches->press(drag.from);
        m_touches->move(drag.to);
        m_touches->release(drag.to);
        EXPECT_EQ(takeSent(), (QStringList{pitchBendHex(drag.channel, 0), controlHex(39 + drag.channel, 1),
                                           pitchBendHex(drag.channel, int(drag.expected * 16383)),
                                           controlHex(39 + drag.channel, 0)}))
            << drag.name;
        EXPECT_EQ(m_rig.m_strip.getValueForFader(fader), drag.expected) << drag.name;
    }
    m_rig.m_strip.sendValue(1.0f, 2);
    m_touches->press(450);
    m_touches->move(300);
    m_touches->release(300);
    EXPECT_EQ(m_rig.m_strip.getValueForFader(2), 0.25f) << "dragging left from 1.0";
}

TEST_F(ControlStripViewTest, AnUnmovedTouchResendsTheValue)
{
    m_rig.surface(pitchBend(3, 4096));
    takeSent();
    m_touches->tap(460);
    EXPECT_EQ(takeSent(), (QStringList{pitchBendHex(3, 4096), controlHex(42, 1), controlHex(42, 0)}));
}

TEST_F(ControlStripViewTest, SoloAndMuteToggle)
{
    m_touches->tap(20);
    m_touches->tap(20);
    m_touches->tap(970);
    m_rig.surface(controlChange(2, 63));
    m_touches->tap(970);
    EXPECT_EQ(takeSent(),
              (QStringList{controlHex(1, 127), controlHex(1, 0), controlHex(2, 127), controlHex(2, 127)}));
}

TEST_F(ControlStripViewTest, DeviceButtonOpensTheBankOnlyWithADevice)
{
    m_touches->tap(845);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 0);
    m_rig.surface(controlChange(3, 1));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("Operator")));
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

struct ThresholdCase {
    int controller;
    int value;
    bool lit;
};

// Solo lights from 65; the power symbol of mute lights below 64, so a muted track shows grey.
TEST_F(ControlStripViewTest, SoloAndMuteThresholds)
{
    const ThresholdCase cases[] = {{1, 64, false}, {1, 65, true}, {2, 63, true}, {2, 64, false}};
    const ControlStripLayout layout = m_view->layout();
    for (const ThresholdCase &threshold : cases) {
        m_rig.surface(controlChange(threshold.controller, threshold.value));
        const QRectF probe = threshold.controller == 1 ? QRectF(30, 2, 1, 1) : corner(layout.muteButton());
        const QColor expected = threshold.lit ? QColor(Qt::red) : SurfacePainting::darkGrey;
        EXPECT_TRUE(near(colourAt(render(), probe), expected))
            << "controller " << threshold.controller << " value " << threshold.value;
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

TEST_F(ControlStripViewTest, DeviceButtonTakesTheDeviceColour)
{
    const QRectF probe = corner(m_view->layout().deviceButton());
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f00")));
    EXPECT_TRUE(near(colourAt(render(), probe), SurfacePainting::darkGrey)) << "no device yet";
    m_rig.surface(controlChange(3, 1));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("Simpler")));
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f00")));
    EXPECT_TRUE(near(colourAt(render(), probe), Qt::yellow));
    EXPECT_EQ(m_view->label(7).color, QColor(Qt::black));
}

TEST_F(ControlStripViewTest, ASendNameReplacesOnlyItsOwnSlot)
{
    m_rig.surface(sysex(2, char(1) + SurfaceEncoder::packText("Reverb")));
    m_rig.surface(sysex(5, SurfaceEncoder::packText("Balance")));
    render();
    EXPECT_EQ(m_view->label(3).text, "Send 1");
    EXPECT_EQ(m_view->label(4).text.left(6), "Reverb");
    EXPECT_EQ(m_view->label(5).text, "Send 3");
    EXPECT_EQ(m_view->label(2).text.left(7), "Balance");
}

// A long device name takes a second line instead of being cut after a few letters.
TEST_F(ControlStripViewTest, DeviceNameWraps)
{
    m_rig.surface(controlChange(3, 1));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("Glue Compressor Deluxe")));
    const QImage image = render();
    const QRectF label = m_view->label(7).rect;
    EXPECT_GT(inkIn(image, QRectF(label.left(), 2, label.width(), 12), SurfacePainting::darkGrey), 20);
    EXPECT_GT(inkIn(image, QRectF(label.left(), 16, label.width(), 12), SurfacePainting::darkGrey), 20);
}

} // namespace
