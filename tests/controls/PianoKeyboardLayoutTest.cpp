#include "controls/PianoKeyboardLayout.h"

#include <gtest/gtest.h>

namespace {

// Two octaves in 510 points: u = 510 / 25.5 = 20, the keys start at 15.
constexpr qreal width = 510;
constexpr qreal height = 30;

struct KeyShape {
    int semitone;
    int type;
    QRectF draw;
};

class KeyShapes : public ::testing::TestWithParam<KeyShape> {};

TEST_P(KeyShapes, DrawPathAndTouchStripOfEachSemitone)
{
    const KeyShape shape = GetParam();
    const PianoKeyboardLayout layout(width, height, 2);
    ASSERT_FLOAT_EQ(layout.unit(), 20.0f);
    for (int octave = 0; octave < 2; ++octave) {
        SCOPED_TRACE(octave);
        const PianoKey *key = layout.keyWithPitch(12 * octave + shape.semitone);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->type, shape.type);
        EXPECT_EQ(key->drawPath.boundingRect(), shape.draw.translated(240 * octave, 0));
        EXPECT_EQ(key->touchPath, QRectF(15 + 20 * (12 * octave + shape.semitone), 0, 20, height));
    }
}

// White keys reach 10 points above the top and down to the bottom; black keys cover the upper
// two thirds (their bottom edge at 20 of 30).
INSTANTIATE_TEST_SUITE_P(PianoKeyboardLayout, KeyShapes,
                         ::testing::Values(KeyShape{0, PianoKey::WhiteBlackRight, {15, -10, 30, 40}},
                                           KeyShape{1, PianoKey::Black, {35, -20, 20, 40}},
                                           KeyShape{2, PianoKey::WhiteBetween, {45, -10, 40, 40}},
                                           KeyShape{3, PianoKey::Black, {75, -20, 20, 40}},
                                           KeyShape{4, PianoKey::WhiteBlackLeft, {85, -10, 30, 40}},
                                           KeyShape{5, PianoKey::WhiteBlackRight, {115, -10, 30, 40}},
                                           KeyShape{6, PianoKey::Black, {135, -20, 20, 40}},
                                           KeyShape{7, PianoKey::WhiteBetween, {145, -10, 40, 40}},
                                           KeyShape{8, PianoKey::Black, {175, -20, 20, 40}},
                                           KeyShape{9, PianoKey::WhiteBetween, {185, -10, 40, 40}},
                                           KeyShape{10, PianoKey::Black, {215, -20, 20, 40}},
                                           KeyShape{11, PianoKey::WhiteBlackLeft, {225, -10, 30, 40}}));

TEST(PianoKeyboardLayout, WhiteKeysTileTheKeyboardAndBlackKeysComeLast)
{
    const PianoKeyboardLayout layout(width, height, 2);
    ASSERT_EQ(layout.keys().size(), 24);
    const QList<int> groupOrder = {1, 2, 3, 0};
    int group = 0;
    qreal whiteWidth = 0;
    for (const PianoKey &key : layout.keys()) {
        while (group < groupOrder.size() && groupOrder[group] != key.type)
            ++group;
        ASSERT_LT(group, groupOrder.size()) << "key " << key.pitch << " out of its group";
        if (key.type != PianoKey::Black)
            whiteWidth += key.drawPath.boundingRect().width();
    }
    EXPECT_DOUBLE_EQ(whiteWidth, 24 * 20);
}

TEST(PianoKeyboardLayout, EndZonesAreTheStripsBeyondTheKeys)
{
    const PianoKeyboardLayout layout(width, height, 2);
    EXPECT_EQ(layout.downKey(), QRectF(0, 0, 15, height));
    EXPECT_EQ(layout.upKey(), QRectF(495, 0, 15, height));
    EXPECT_EQ(layout.keyAt({7, 15}), nullptr);
    EXPECT_EQ(layout.keyAt({500, 15}), nullptr);
    EXPECT_EQ(layout.keyAt({300, 40}), nullptr);
}

TEST(PianoKeyboardLayout, TouchStripsAreChromatic)
{
    const PianoKeyboardLayout layout(width, height, 2);
    struct Case {
        QPointF point;
        int pitch;
    } cases[] = {
        {{20, 28}, 0},
        {{44, 28}, 1},
        {{44, 2}, 1},
        {{60, 15}, 2},
        {{490, 28}, 23},
        // On a shared edge the key later in drawing order wins: the black key over C.
        {{35, 15}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.point.x());
        const PianoKey *key = layout.keyAt(c.point);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->pitch, c.pitch);
    }
}

} // namespace
