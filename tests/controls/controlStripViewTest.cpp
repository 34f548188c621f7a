#include "ViewTestSupport.h"

#include "controls/controlStripView.h"
#include "midi/MackieControlProtocol.h"

using namespace ViewTestSupport;

namespace {

class ControlStripViewTest : public SurfaceViewTest<controlStripView, &SurfaceRig::m_strip> {
protected:
    void SetUp() override { showAt(1000); }

    // A point inside a button clear of its symbol and label.
    static QRectF corner(const QRectF &upwards) { return QRectF(flipped(upwards).left() + 12, 1, 1, 1); }
};

// The volume fader spans its segment; pan and sends take 200 points; both clamp. Rows: start
// value, touch from and to, channel, value reached.
TEST_F(ControlStripViewTest, DragSensitivities)
{
    const std::tuple<const char *, float, qreal, qreal, int, float> cases[] = {
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

TEST_F(ControlStripViewTest, DeviceButtonOpensTheBankAndTakesItsColourOnlyWithADevice)
{
    const QRectF probe = corner(m_view->layout().deviceButton());
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f00")));
    m_touches->tap(845);
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 0);
    EXPECT_TRUE(near(colourAt(render(), probe), SurfacePainting::darkGrey));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("Simpler")));
    EXPECT_EQ(m_view->label(7).text, "<no Device>");
    m_rig.surface(controlChange(3, 1));
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f00")));
    EXPECT_EQ(m_view->label(7).text.left(7), "Simpler") << "the name sent before the device shows with it";
    m_touches->tap(845);
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 1);
    m_rig.surface(controlChange(3, 0));
    m_touches->tap(845);
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 1);
    EXPECT_EQ(m_view->label(7).text, "<no Device>");
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

// A long device name takes a second line instead of being cut after a few letters.
TEST_F(ControlStripViewTest, ALongDeviceNameTakesASecondLine)
{
    m_rig.surface(controlChange(3, 1));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("Glue Compressor Deluxe")));
    const QImage image = render();
    const QRectF label = m_view->label(7).rect;
    EXPECT_GT(inkIn(image, QRectF(label.left(), 2, label.width(), 12), SurfacePainting::darkGrey), 20);
    EXPECT_GT(inkIn(image, QRectF(label.left(), 16, label.width(), 12), SurfacePainting::darkGrey), 20);
}

// Mackie Control has no function for the sends: taking over, it draws them sunk (dim track, grey
// marker) and a touch on one starts nothing and sends nothing; the native protocol taking back
// makes them usable again, a touch on send 1 moving and sending as before.
TEST_F(ControlStripViewTest, SendsAreUnusableWhileTheProtocolGivesThemNoFunction)
{
    midi::MackieControlProtocol mackie{m_rig.m_bank, m_rig.m_strip, m_rig.m_router};
    const QRectF track = flipped(m_view->layout().faderBackground(2));
    const QRectF trackProbe(track.right() - 3, 2, 1, 1);
    const QRectF marker = flipped(m_view->layout().marker(2, 0));
    for (const bool native : {false, true}) {
        SCOPED_TRACE(native ? "native" : "Mackie Control");
        if (native)
            m_rig.m_feedback.activate();
        else
            mackie.activate();
        const QImage image = render();
        EXPECT_EQ(near(colourAt(image, trackProbe), SurfacePainting::darkGrey), native);
        EXPECT_EQ(near(colourAt(image, marker), Qt::red), native);
        takeSent();
        m_touches->press(450);
        EXPECT_EQ(m_view->activeFaderCount(), native ? 1 : 0);
        m_touches->move(500);
        m_touches->release(500);
        const QStringList touched{pitchBendHex(3, 0), controlHex(42, 1), pitchBendHex(3, int(0.25f * 16383)),
                                  controlHex(42, 0)};
        EXPECT_EQ(takeSent(), native ? touched : QStringList());
    }
}

} // namespace
