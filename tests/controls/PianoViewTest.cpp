#include "PianoTestSupport.h"

#include "controls/pianoView.h"

#include <gtest/gtest.h>

namespace {

// Two octaves in 510 x 30 points: u = 20, key p is the strip 15 + 20·p … 35 + 20·p.
constexpr int width = 510;
constexpr int height = 30;

QPointF keyPoint(int key, qreal y = 25)
{
    return {25.0 + 20 * key, y};
}
const QPointF downZone(7, 15);
const QPointF upZone(502, 15);

class PianoViewTest : public ::testing::Test {
protected:
    RecordingPianoDelegate delegate;
    std::unique_ptr<pianoView> view;
    std::unique_ptr<Hand> hand;

    void SetUp() override { make(2, 4); }

    void make(int octaves, int startOctave)
    {
        hand.reset();
        view = std::make_unique<pianoView>(octaves, startOctave);
        view->setPianoDelegate(&delegate);
        view->setChannelNumber(3);
        view->setMinValue(0.9);
        view->setMaxValue(100.7);
        view->resize(width, height);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        hand = std::make_unique<Hand>(view.get());
    }
    void tap(QPointF point)
    {
        hand->press(1, point);
        hand->release(1, point);
    }
};

TEST_F(PianoViewTest, ASlidingFingerGlidesFromKeyToKeyUnlessGlissandoIsOff)
{
    const struct {
        const char *name;
        QList<QPointF> moves;
        QStringList expected;
        int type = pianoView::Glissando;
    } cases[] = {
        {"within its key", {{120, 25}, {134, 5}}, {"note 53 0 ch3"}},
        {"across keys",
         {keyPoint(6), keyPoint(8, 3)},
         {"note 53 0 ch3", "note 54 100 ch3", "note 54 0 ch3", "note 56 100 ch3", "note 56 0 ch3"}},
        // Off every key the finger keeps its note: each further move and the lift release it again.
        {"into the up zone",
         {keyPoint(23), upZone, upZone + QPointF(3, 0)},
         {"note 53 0 ch3", "note 71 100 ch3", "note 71 0 ch3", "note 71 0 ch3", "note 71 0 ch3"}},
        {"into the down zone and back",
         {downZone, keyPoint(0)},
         {"note 53 0 ch3", "note 53 0 ch3", "note 48 100 ch3", "note 48 0 ch3"}},
        {"out of the view", {{300, 60}}, {"note 53 0 ch3", "note 53 0 ch3"}},
        {"no glissando", {keyPoint(9), upZone}, {"note 53 0 ch3"}, pianoView::NoGlissando},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        view->setType(c.type);
        hand->press(1, keyPoint(5));
        for (const QPointF &point : c.moves)
            hand->move(1, point);
        hand->release(1, c.moves.constLast());
        EXPECT_EQ(delegate.take(), QStringList({"note 53 100 ch3"}) + c.expected);
    }
}

TEST_F(PianoViewTest, OnlyTheMostRecentFingerBends)
{
    view->setType(pianoView::PitchBend);
    hand->press(1, keyPoint(0));
    hand->press(2, keyPoint(10));
    // The older finger moves: no bend, and its note stays.
    hand->move(1, keyPoint(4));
    // Moves of the most recent finger from its landing point, and the bend each sends.
    const std::pair<qreal, int> bends[] = {{20, 12288}, {-20, 4096}, {40, 16383}, {100, 16383},
                                           {-60, 0},    {0, 8192},   {1, 8396}};
    QStringList expected = {"note 48 100 ch3", "note 58 100 ch3"};
    for (const auto &[dx, bend] : bends) {
        hand->move(2, keyPoint(10) + QPointF(dx, 0));
        expected.append(QStringLiteral("bend %1 ch3").arg(bend));
    }
    // Lifting the older finger sends no reset; lifting the most recent one does.
    hand->release(1, keyPoint(4));
    expected.append("note 48 0 ch3");
    hand->release(2, keyPoint(10));
    expected += QStringList({"note 58 0 ch3", "bend 8192 ch3"});
    EXPECT_EQ(delegate.take(), expected);
}

// Every finger still down is released, the most recent one's bend goes back to the centre, and
// the keys play again afterwards.
TEST_F(PianoViewTest, ACancelReleasesEveryHeldNote)
{
    view->setType(pianoView::PitchBend);
    hand->press(1, keyPoint(0));
    hand->press(2, keyPoint(10));
    hand->move(2, keyPoint(10) + QPointF(20, 0));
    delegate.take();
    hand->cancel();
    EXPECT_EQ(delegate.take(), QStringList({"note 48 0 ch3", "note 58 0 ch3", "bend 8192 ch3"}));
    EXPECT_TRUE(view->activeKeys().isEmpty());
    tap(keyPoint(0));
    EXPECT_EQ(delegate.take(), QStringList({"note 48 100 ch3", "note 48 0 ch3", "bend 8192 ch3"}));
}

// A touch that begins in an end zone only shifts the octave; notes sounding keep their number.
TEST_F(PianoViewTest, EndZonesShiftTheOctaveAtTheStartOfATouch)
{
    hand->press(1, keyPoint(0));
    hand->press(2, upZone);
    EXPECT_EQ(view->startOctave(), 5);
    EXPECT_EQ(view->activeKeys().size(), 1);
    hand->move(2, keyPoint(3));
    hand->move(2, downZone);
    hand->release(2, downZone);
    EXPECT_EQ(view->startOctave(), 5);
    hand->release(1, keyPoint(0));
    tap(keyPoint(0));
    EXPECT_EQ(delegate.take(),
              QStringList({"note 48 100 ch3", "note 48 0 ch3", "note 60 100 ch3", "note 60 0 ch3"}));
    EXPECT_EQ(delegate.touchedCount, 3);
}

TEST_F(PianoViewTest, OctaveLimitsKeepNotesWithinZeroTo119)
{
    for (int octaves : {1, 2, 5, 10}) {
        SCOPED_TRACE(octaves);
        make(octaves, 4);
        const qreal unit = qreal(width) / (12 * octaves + 1.5);
        for (int i = 0; i < 12; ++i)
            tap({0.375 * unit, 15});
        EXPECT_EQ(view->startOctave(), 0);
        EXPECT_EQ(view->labelTexts().constFirst(), "C-2");
        tap({1.25 * unit, 15});
        for (int i = 0; i < 12; ++i)
            tap({width - 0.375 * unit, 15});
        EXPECT_EQ(view->startOctave(), 10 - octaves);
        tap({width - 1.25 * unit, 15});
        EXPECT_EQ(delegate.take(),
                  QStringList({"note 0 100 ch3", "note 0 0 ch3", "note 119 100 ch3", "note 119 0 ch3"}));
    }
}

TEST(PianoViewSettings, StoredOctavesOutsideTheKeyboardAreBroughtWithinIt)
{
    // Stored octaves and start, and what the keyboard makes of them.
    const std::array<int, 4> cases[] = {
        {2, 9, 2, 8}, {2, -3, 2, 0}, {12, 0, 10, 0}, {0, 4, 1, 4}, {3, 8, 3, 7}};
    for (const auto &[octaves, startOctave, expectedOctaves, expectedStart] : cases) {
        const pianoView view(octaves, startOctave);
        EXPECT_EQ(view.numOctaves(), expectedOctaves);
        EXPECT_EQ(view.startOctave(), expectedStart);
    }
}

TEST_F(PianoViewTest, KeysAreInPointsOfTheStripAndOnlyTouchscreensPlay)
{
    view->setPointScale(2);
    view->resize(2 * width, 2 * height);
    // Pixel 50 is point 25, the middle of the first key; pixel 72 is point 36, on the black key C#.
    hand->press(1, {50, 50});
    hand->press(2, {72, 10});
    hand->release(1, {50, 50});
    hand->release(2, {72, 10});
    EXPECT_EQ(delegate.take(),
              QStringList({"note 48 100 ch3", "note 49 100 ch3", "note 48 0 ch3", "note 49 0 ch3"}));
    Hand touchpad(view.get(), QInputDevice::DeviceType::TouchPad);
    touchpad.press(1, {50, 50});
    touchpad.release(1, {50, 50});
    EXPECT_TRUE(delegate.take().isEmpty()) << "indirect touches play nothing";
}

} // namespace
