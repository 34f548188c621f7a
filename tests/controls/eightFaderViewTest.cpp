#include "ViewTestSupport.h"

#include "controls/FaderValue.h"
#include "controls/eightFaderView.h"

using namespace ViewTestSupport;

namespace {

class EightFaderViewTest : public SurfaceViewTest<eightFaderView, &SurfaceRig::m_bank> {
protected:
    void SetUp() override { showAt(720); }

    QRectF slotRect(int slot) const { return flipped(m_view->layout().slotBackground(slot)); }
    QRectF markerRect(int slot, float value) const { return flipped(m_view->layout().marker(slot, value)); }
    // Its lower part, clear of the value line under the text.
    QRectF nameRect(int slot) const { return m_view->nameLabel(slot).rect.adjusted(0, 0, 0, -12); }
    void setType(int slot, int type) { m_rig.surface(controlChange(20 + slot, type)); }
    void setButtonMode(int mode) { m_rig.surface(controlChange(29, mode)); }
};

// Where a touch lands and what it sends: the end buttons, and the first message of a slot
// (its pitch bend channel tells the slot).
TEST_F(EightFaderViewTest, ZonesFollowTheWidth)
{
    const std::tuple<int, qreal, QStringList> cases[] = {
        {720, 39, {controlHex(10, 127)}},
        {720, 40, {pitchBendHex(9, 0), controlHex(50, 1)}},
        {720, 121, {pitchBendHex(10, 0), controlHex(51, 1)}},
        {720, 680, {pitchBendHex(16, 0), controlHex(57, 1)}},
        {720, 681, {controlHex(11, 127)}},
        {1000, 154, {pitchBendHex(9, 0), controlHex(50, 1)}},
        {1000, 155, {pitchBendHex(10, 0), controlHex(51, 1)}},
        {1000, 960, {pitchBendHex(16, 0), controlHex(57, 1)}},
        {1000, 961, {controlHex(11, 127)}},
    };
    for (const auto &[width, x, sent] : cases) {
        showAt(width);
        takeSent();
        m_touches->press(x);
        EXPECT_EQ(takeSent(), sent) << "W " << width << " x " << x;
        m_touches->release(x);
    }
}

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

// Button slots light in the device colour: a momentary one while held (its release darkens it
// without a message), a toggle at full value, with dark text on a bright slot.
TEST_F(EightFaderViewTest, ButtonSlotsLightInTheDeviceColour)
{
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f7f")));
    setType(5, 3);
    setButtonMode(0);
    setType(2, 2);
    m_rig.surface(pitchBend(11, 16383));
    m_rig.surface(sysex(10, char(2) + SurfaceEncoder::packText("Bypass")));
    takeSent();
    m_touches->press(480);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(14, 16383)});
    const QImage image = render();
    EXPECT_TRUE(near(colourAt(image, slotRect(5)), Qt::white));
    EXPECT_TRUE(near(colourAt(image, QRectF(slotRect(2).left() + 2, 2, 1, 1)), Qt::white));
    EXPECT_EQ(m_view->nameLabel(2).color, QColor(Qt::black));
    EXPECT_GT(inkIn(image, nameRect(2), Qt::white), 20);
    m_touches->release(480);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_TRUE(near(colourAt(render(), slotRect(5)), SurfacePainting::darkGrey));
}

TEST_F(EightFaderViewTest, CancelledTouchesSendNoRelease)
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
    m_touches->cancel(1, 230);
    m_touches->cancel(2, 560);
    EXPECT_EQ(m_view->activeFaderCount(), 0);
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_EQ(m_rig.m_bank.getValueForFader(6), 0.0f) << "the momentary display is cleared";
}

TEST_F(EightFaderViewTest, NamesFromTheHostAppearInTheirSlots)
{
    EXPECT_EQ(inkIn(render(), m_view->nameLabel(3).rect, SurfacePainting::darkGrey), 0);
    m_rig.surface(sysex(10, char(3) + SurfaceEncoder::packText("Cutoff")));
    EXPECT_GT(inkIn(render(), nameRect(3), SurfacePainting::darkGrey), 20);
    EXPECT_EQ(m_view->nameLabel(3).text.left(6), "Cutoff");
    m_rig.m_bank.setParameterName(QString(1, QChar(0)), 2);
    EXPECT_EQ(inkIn(render(), nameRect(2), SurfacePainting::darkGrey), 0)
        << "the zero byte a host text ends with draws as nothing";
    setType(3, 0);
    EXPECT_EQ(inkIn(render(), nameRect(3), SurfacePainting::darkGrey), 0)
        << "a slot of no known type hides its name";
}

// Markers sit where the host put the value, in the device colour or, in colour mode 2 (which the
// host sets), the slot palette; the right button shows the device state in the device colour,
// except in colour mode 1.
TEST_F(EightFaderViewTest, MarkersAndRightButtonFollowFeedbackAndColourMode)
{
    const QRectF button(flipped(m_view->layout().rightButton()).left() + 2, 2, 2, 2);
    EXPECT_TRUE(near(colourAt(render(), markerRect(1, 0.0f)), SurfacePainting::darkGrey))
        << "before any device colour the marker stays grey";
    m_rig.surface(sysex(4, QByteArray::fromHex("7f0000")));
    m_rig.surface(pitchBend(10, 16383));
    QImage image = render();
    EXPECT_TRUE(near(colourAt(image, markerRect(1, 1.0f)), Qt::red));
    EXPECT_TRUE(near(colourAt(image, markerRect(1, 0.0f)), SurfacePainting::darkGrey));
    EXPECT_TRUE(near(colourAt(image, button), SurfacePainting::darkGrey));
    m_rig.surface(controlChange(11, 127));
    EXPECT_TRUE(near(colourAt(render(), button), Qt::red));
    m_rig.surface(controlChange(28, 1));
    image = render();
    for (int slot = 0; slot < 8; ++slot) {
        const float value = slot == 1 ? 1.0f : 0.0f;
        EXPECT_TRUE(near(colourAt(image, markerRect(slot, value)), eightFaderView::slotColor(slot)))
            << "slot " << slot;
    }
    EXPECT_TRUE(near(colourAt(image, button), Qt::red));
    m_rig.m_bank.setColorMode(1);
    EXPECT_TRUE(near(colourAt(render(), button), SurfacePainting::darkGrey));
}

TEST_F(EightFaderViewTest, BankModeShowsArrowsUntilTheHostSendsANumber)
{
    m_rig.surface(controlChange(31, 7));
    EXPECT_EQ(m_view->bankNumberLabel().text, "7");
    m_rig.surface(controlChange(30, 1));
    render();
    EXPECT_EQ(m_view->bankNumberLabel().text, QStringLiteral("\u2B06\uFE0E"));
    EXPECT_TRUE(m_view->bypassLabel().visible);
    m_rig.surface(controlChange(30, 0));
    render();
    EXPECT_EQ(m_view->bankNumberLabel().text, QStringLiteral("\u2B06\uFE0E"));
    EXPECT_FALSE(m_view->bypassLabel().visible);
    m_rig.surface(controlChange(31, 0));
    EXPECT_EQ(m_view->bankNumberLabel().text, "-");
    EXPECT_GT(inkIn(render(), QRectF(10, 8, 20, 14), SurfacePainting::darkGrey), 4);
}

TEST_F(EightFaderViewTest, LabelsAreLaidOutAgainWhenTheWidthChanges)
{
    m_view->resize(1000, height);
    render();
    EXPECT_EQ(m_view->nameLabel(7).rect, QRectF(115 * 7 + 42, -1.5, 111, height));
}

} // namespace
