#include "../midi/SurfaceRig.h"
#include "ViewTestSupport.h"
#include "ViewTouches.h"

#include "controls/FaderValue.h"
#include "controls/SurfacePainting.h"
#include "controls/eightFaderView.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ViewTestSupport;

namespace {

constexpr int height = 30;

class EightFaderViewTest : public ::testing::Test {
protected:
    void SetUp() override { showAt(720); }

    void showAt(int width)
    {
        m_view = std::make_unique<eightFaderView>(&m_rig.m_bank);
        m_view->resize(width, height);
        m_view->show();
        m_touches = std::make_unique<ViewTouches>(*m_view);
        render();
    }

    // Lays the view out and draws it as the screen would.
    QImage render() { return rendered(*m_view); }

    QStringList takeSent()
    {
        const QStringList sent = m_rig.sentToSurface();
        m_rig.m_backend->clearSent();
        return sent;
    }
    QRectF slotRect(int slot) const
    {
        return SurfacePainting::flipped(m_view->layout().slotBackground(slot), height);
    }
    QRectF markerRect(int slot, float value) const
    {
        return SurfacePainting::flipped(m_view->layout().marker(slot, value), height);
    }
    void setType(int slot, int type) { m_rig.surface(controlChange(20 + slot, type)); }
    void setButtonMode(int mode) { m_rig.surface(controlChange(29, mode)); }

    SurfaceRig m_rig;
    std::unique_ptr<eightFaderView> m_view;
    std::unique_ptr<ViewTouches> m_touches;
};

struct ZoneCase {
    int width;
    qreal x;
    QStringList sent;
};

// Where a touch lands and what it sends: the end buttons, and the first message of a slot
// (its pitch bend channel tells the slot).
TEST_F(EightFaderViewTest, ZonesFollowTheWidth)
{
    const ZoneCase cases[] = {
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
    for (const ZoneCase &zone : cases) {
        showAt(zone.width);
        takeSent();
        m_touches->press(zone.x);
        EXPECT_EQ(takeSent(), zone.sent) << "W " << zone.width << " x " << zone.x;
        m_touches->release(zone.x);
    }
}

TEST_F(EightFaderViewTest, AnUnmovedTouchResendsTheValueAndReportsTouchAndRelease)
{
    m_rig.surface(pitchBend(11, 16383));
    takeSent();
    m_touches->tap(210);
    EXPECT_EQ(takeSent(), (QStringList{pitchBendHex(11, 16383), controlHex(52, 1), controlHex(52, 0)}));
}

// 500 points cover the range, relative to where the finger landed, clamped at both ends.
TEST_F(EightFaderViewTest, DragsAreRelativeAndClamped)
{
    m_rig.m_bank.setValue(0.2f, 2);
    m_touches->press(250);
    takeSent();
    m_touches->move(500);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(11, FaderValue::toPitchBend(0.7f))});
    EXPECT_FLOAT_EQ(m_rig.m_bank.getValueForFader(2), 0.7f);
    m_touches->move(650);
    m_touches->move(700);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(11, 16383)}) << "one message at the end, no repeats";
    m_touches->move(100);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(11, 0)});
    m_touches->release(100);
    EXPECT_EQ(takeSent(), QStringList{controlHex(52, 0)});
}

struct ButtonCase {
    const char *name;
    int type;
    int buttonMode;
    // Sent by the first and the second touch, and the slot's value after each release.
    int firstSent;
    float afterFirst;
    int secondSent;
    float afterSecond;
};

TEST_F(EightFaderViewTest, ButtonSlotsFlipOnEachTouchAndNeverReportTouches)
{
    const ButtonCase cases[] = {
        {"toggle, mode 1", 2, 1, 0, 1.0f, 16383, 0.0f},
        {"toggle, mode 0", 2, 0, 16383, 1.0f, 0, 0.0f},
        {"momentary, mode 0", 3, 0, 16383, 0.0f, 16383, 0.0f},
        {"momentary, mode 1", 3, 1, 0, 0.0f, 0, 0.0f},
    };
    for (const ButtonCase &button : cases) {
        setType(4, button.type);
        setButtonMode(button.buttonMode);
        m_rig.m_bank.setValue(0.0f, 4);
        takeSent();
        m_touches->tap(400);
        EXPECT_EQ(takeSent(), QStringList{pitchBendHex(13, button.firstSent)}) << button.name;
        EXPECT_EQ(m_rig.m_bank.getValueForFader(4), button.afterFirst) << button.name;
        m_touches->tap(400);
        EXPECT_EQ(takeSent(), QStringList{pitchBendHex(13, button.secondSent)}) << button.name;
        EXPECT_EQ(m_rig.m_bank.getValueForFader(4), button.afterSecond) << button.name;
    }
}

// Held down, a momentary slot is lit; its release darkens it without a message.
TEST_F(EightFaderViewTest, MomentarySlotIsLitWhileHeld)
{
    m_rig.surface(sysex(4, QByteArray::fromHex("007f00")));
    setType(5, 3);
    setButtonMode(0);
    takeSent();
    m_touches->press(480);
    EXPECT_EQ(takeSent(), QStringList{pitchBendHex(14, 16383)});
    EXPECT_TRUE(near(colourAt(render(), slotRect(5)), Qt::green));
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

// Two fingers move two slots, each from its own landing point.
TEST_F(EightFaderViewTest, FingersAreTrackedByIdentity)
{
    auto fingers = m_touches->fingers();
    fingers.press(7, m_touches->at(50)).commit();
    fingers.stationary(7).press(8, m_touches->at(630)).commit();
    fingers.move(7, m_touches->at(300)).move(8, m_touches->at(630 - 50)).commit();
    EXPECT_FLOAT_EQ(m_rig.m_bank.getValueForFader(0), 0.5f);
    EXPECT_FLOAT_EQ(m_rig.m_bank.getValueForFader(7), 0.0f);
    fingers.release(7, m_touches->at(300)).release(8, m_touches->at(580)).commit();
    EXPECT_EQ(m_view->activeFaderCount(), 0);
}

TEST_F(EightFaderViewTest, NamesFromTheHostAppearInTheirSlots)
{
    const QRectF label = m_view->nameLabel(3).rect;
    EXPECT_EQ(inkIn(render(), label, SurfacePainting::darkGrey), 0);
    m_rig.surface(sysex(10, char(3) + SurfaceEncoder::packText("Cutoff")));
    EXPECT_GT(inkIn(render(), label.adjusted(0, 0, 0, -12), SurfacePainting::darkGrey), 20);
    EXPECT_EQ(m_view->nameLabel(3).text.left(6), "Cutoff");
    EXPECT_EQ(inkIn(render(), m_view->nameLabel(2).rect.adjusted(0, 0, 0, -12), SurfacePainting::darkGrey),
              0);
    m_rig.m_bank.setParameterName(QString(1, QChar(0)), 2);
    EXPECT_EQ(inkIn(render(), m_view->nameLabel(2).rect.adjusted(0, 0, 0, -12), SurfacePainting::darkGrey), 0)
        << "the zero byte a host text ends with draws as nothing";
    setType(3, 0);
    EXPECT_EQ(inkIn(render(), label.adjusted(0, 0, 0, -12), SurfacePainting::darkGrey), 0)
        << "a slot of no known type hides its name";
}

// Markers sit where the host put the value, in the device colour or the slot palette.
TEST_F(EightFaderViewTest, MarkersFollowFeedbackAndColourMode)
{
    EXPECT_TRUE(near(colourAt(render(), markerRect(1, 0.0f)), SurfacePainting::darkGrey))
        << "before any device colour the marker stays grey";
    m_rig.surface(sysex(4, QByteArray::fromHex("7f0000")));
    m_rig.surface(pitchBend(10, 16383));
    QImage image = render();
    EXPECT_TRUE(near(colourAt(image, markerRect(1, 1.0f)), Qt::red));
    EXPECT_TRUE(near(colourAt(image, markerRect(1, 0.0f)), SurfacePainting::darkGrey));
    m_rig.surface(controlChange(28, 1));
    image = render();
    for (int slot = 0; slot < 8; ++slot) {
        const float value = slot == 1 ? 1.0f : 0.0f;
        EXPECT_TRUE(near(colourAt(image, markerRect(slot, value)), eightFaderView::slotColor(slot)))
            << "slot " << slot;
    }
}

TEST_F(EightFaderViewTest, RightButtonShowsDeviceStateUnlessColourModeOne)
{
    const QRectF button = SurfacePainting::flipped(m_view->layout().rightButton(), height);
    const QRectF probe(button.left() + 2, 2, 2, 2);
    m_rig.surface(sysex(4, QByteArray::fromHex("00007f")));
    EXPECT_TRUE(near(colourAt(render(), probe), SurfacePainting::darkGrey));
    m_rig.surface(controlChange(11, 127));
    EXPECT_TRUE(near(colourAt(render(), probe), Qt::blue));
    m_rig.m_bank.setColorMode(1);
    m_view->update();
    EXPECT_TRUE(near(colourAt(render(), probe), SurfacePainting::darkGrey));
}

TEST_F(EightFaderViewTest, ToggleSlotLightsAtFullValue)
{
    m_rig.surface(sysex(4, QByteArray::fromHex("7f7f7f")));
    setType(2, 2);
    m_rig.surface(pitchBend(11, 16383));
    m_rig.surface(sysex(10, char(2) + SurfaceEncoder::packText("Bypass")));
    const QImage image = render();
    EXPECT_TRUE(near(colourAt(image, QRectF(slotRect(2).left() + 2, 2, 1, 1)), Qt::white));
    EXPECT_EQ(m_view->nameLabel(2).color, QColor(Qt::black)) << "dark text on a bright slot";
    EXPECT_GT(inkIn(image, m_view->nameLabel(2).rect.adjusted(0, 0, 0, -12), Qt::white), 20);
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
    EXPECT_EQ(m_view->bypassLabel().rect, QRectF(960, 3, 40, height - 3));
}

} // namespace
