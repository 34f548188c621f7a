#include "ViewTestSupport.h"

#include "controls/FaderValue.h"
#include "controls/controlStripView.h"
#include "controls/eightFaderView.h"

using namespace ViewTestSupport;

namespace {

class EightFaderViewTest : public SurfaceViewTest<eightFaderView, &SurfaceRig::m_bank> {
protected:
    void SetUp() override { showAt(720); }

    QRectF markerRect(int slot, float value) const { return flipped(m_view->layout().marker(slot, value)); }
    void setType(int slot, int type) { m_rig.surface(controlChange(20 + slot, type)); }
    void setButtonMode(int mode) { m_rig.surface(controlChange(29, mode)); }
};

// An unmoved touch resends the value; 500 points cover the range, relative to where the finger
// landed, clamped at both ends.
TEST_F(EightFaderViewTest, TouchesAreRelativeAndClamped)
{
    m_rig.surface(pitchBend(11, 16383));
    takeSent();
    m_touches->tap(250);
    EXPECT_EQ(takeSent(), (QStringList{pitchBendHex(11, 16383), controlHex(52, 1), controlHex(52, 0)}));
    m_touches->press(250);
    takeSent();
    m_touches->move(0);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(11, FaderValue::toPitchBend(0.5f))});
    EXPECT_FLOAT_EQ(m_rig.m_bank.getValueForFader(2), 0.5f);
    m_touches->move(-300);
    m_touches->move(-350);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(11, 0)}) << "one message at the end, no repeats";
    m_touches->move(700);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(11, 16383)});
    m_touches->release(700);
    EXPECT_EQ(takeSent(), QStringList{controlHex(52, 0)});
}

// While a finger holds a slot, its marker follows the finger: the host echoing an older value
// must not pull it back.
TEST_F(EightFaderViewTest, ATouchedMarkerFollowsTheFingerNotTheHost)
{
    m_rig.surface(sysex(4, QByteArray::fromHex("7f0000")));
    m_rig.surface(pitchBend(11, 0));
    m_touches->press(250);
    m_touches->move(500);
    m_rig.surface(pitchBend(11, 0));
    const QImage image = render();
    EXPECT_TRUE(near(colourAt(image, markerRect(2, 0.5f)), Qt::red));
    EXPECT_TRUE(near(colourAt(image, markerRect(2, 0.0f)), SurfacePainting::darkGrey));
    m_touches->release(500);
}

TEST_F(EightFaderViewTest, ButtonSlotsFlipOnEachTouchAndNeverReportTouches)
{
    // Type (2 toggle, 3 momentary), button mode; sent by the first touch and the value after its
    // release; the same for the second touch.
    const std::tuple<int, int, int, float, int, float> cases[] = {{2, 1, 0, 1.0f, 16383, 0.0f},
                                                                  {2, 0, 16383, 1.0f, 0, 0.0f},
                                                                  {3, 0, 16383, 0.0f, 16383, 0.0f},
                                                                  {3, 1, 0, 0.0f, 0, 0.0f}};
    for (const auto &[type, mode, firstSent, afterFirst, secondSent, afterSecond] : cases) {
        SCOPED_TRACE(testing::Message() << "type " << type << " mode " << mode);
        setType(4, type);
        setButtonMode(mode);
        m_rig.m_bank.setValue(0.0f, 4);
        takeSent();
        m_touches->tap(400);
        EXPECT_EQ(takeSent(), QStringList{pitchBendHex(13, firstSent)});
        EXPECT_EQ(m_rig.m_bank.getValueForFader(4), afterFirst);
        m_touches->tap(400);
        EXPECT_EQ(takeSent(), QStringList{pitchBendHex(13, secondSent)});
        EXPECT_EQ(m_rig.m_bank.getValueForFader(4), afterSecond);
    }
}

// A cancel on the bank and on the strip ends every finger: none is released to the host, and
// each slot shows the stored value again.
TEST_F(EightFaderViewTest, ACancelEndsEveryHeldFaderWithoutARelease)
{
    setType(6, 3);
    setButtonMode(0);
    takeSent();
    auto fingers = m_touches->fingers();
    // Each event starts one touch, so the fingers land one after the other.
    fingers.press(1, m_touches->at(130)).commit();
    fingers.stationary(1).press(2, m_touches->at(560)).commit();
    fingers.move(1, m_touches->at(230)).stationary(2).commit();
    ASSERT_EQ(m_view->activeFaderCount(), 2);
    EXPECT_EQ(takeSent(), (QStringList{pitchBendHex(10, 0), controlHex(51, 1), pitchBendHex(15, 16383),
                                       pitchBendHex(10, FaderValue::toPitchBend(0.2f))}));
    m_touches->cancel();
    EXPECT_EQ(m_view->activeFaderCount(), 0);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_rig.m_bank.getValueForFader(6), 0.0f) << "the momentary display is cleared";

    SCOPED_TRACE("the channel strip");
    controlStripView strip(&m_rig.m_strip);
    strip.resize(1000, height);
    strip.show();
    rendered(strip);
    ViewTouches touches(strip);
    auto stripFingers = touches.fingers();
    stripFingers.press(3, touches.at(200)).commit();
    stripFingers.stationary(3).press(4, touches.at(650)).commit();
    stripFingers.move(3, touches.at(260)).stationary(4).commit();
    takeSent();
    touches.cancel();
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(strip.activeFaderCount(), 0);
    EXPECT_FLOAT_EQ(m_rig.m_strip.getValueForFader(0), 0.2f);
}

} // namespace

namespace {

// Remembers the first slot's value each time the view paints.
class PaintedValue : public QObject {
public:
    explicit PaintedValue(const eightFaderTouchbarItem &bank)
        : m_bank(bank)
    {
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            value = m_bank.getValueForFader(0);
        return false;
    }
    float value = -1.0f;

private:
    const eightFaderTouchbarItem &m_bank;
};

// A host faster than the screen: the view paints the changes of a frame together, and the last
// change of a burst is painted, never dropped.
TEST_F(EightFaderViewTest, TheLastChangeOfAHostBurstIsPainted)
{
    PaintedValue painted(m_rig.m_bank);
    m_view->installEventFilter(&painted);
    for (int value = 0; value <= 16000; value += 800) {
        m_rig.surface(pitchBend(9, value));
        QCoreApplication::processEvents();
    }
    const float last = m_rig.m_bank.getValueForFader(0);
    QDeadlineTimer deadline(2000);
    while (painted.value != last && !deadline.hasExpired())
        QTest::qWait(5);
    EXPECT_FLOAT_EQ(painted.value, last);
}

} // namespace
