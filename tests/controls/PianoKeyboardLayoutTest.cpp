#include "controls/PianoKeyboardLayout.h"

#include <gtest/gtest.h>

namespace {

// Two octaves in 510 points: u = 510 / 25.5 = 20, the keys start at 15.
constexpr qreal width = 510;
constexpr qreal height = 30;

// White keys reach 10 points above the top and down to the bottom; black keys cover the upper
// two thirds (their bottom edge at 20 of 30). Every key touches on a chromatic strip u wide.
TEST(PianoKeyboardLayout, DrawPathAndTouchStripOfEachSemitone)
{
    const struct {
        int type;
        QRectF draw;
    } semitones[] = {
        {PianoKey::WhiteBlackRight, {15, -10, 30, 40}}, {PianoKey::Black, {35, -20, 20, 40}},
        {PianoKey::WhiteBetween, {45, -10, 40, 40}},    {PianoKey::Black, {75, -20, 20, 40}},
        {PianoKey::WhiteBlackLeft, {85, -10, 30, 40}},  {PianoKey::WhiteBlackRight, {115, -10, 30, 40}},
        {PianoKey::Black, {135, -20, 20, 40}},          {PianoKey::WhiteBetween, {145, -10, 40, 40}},
        {PianoKey::Black, {175, -20, 20, 40}},          {PianoKey::WhiteBetween, {185, -10, 40, 40}},
        {PianoKey::Black, {215, -20, 20, 40}},          {PianoKey::WhiteBlackLeft, {225, -10, 30, 40}},
    };
    const PianoKeyboardLayout layout(width, height, 2);
    ASSERT_FLOAT_EQ(layout.unit(), 20.0f);
    for (int pitch = 0; pitch < 24; ++pitch) {
        SCOPED_TRACE(pitch);
        const PianoKey *key = layout.keyWithPitch(pitch);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->type, semitones[pitch % 12].type);
        EXPECT_EQ(key->drawPath.boundingRect(), semitones[pitch % 12].draw.translated(240 * (pitch / 12), 0));
        EXPECT_EQ(key->touchPath, QRectF(15 + 20 * pitch, 0, 20, height));
    }
}

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

TEST(PianoKeyboardLayout, TouchesFindTheirKeyOrTheEndZones)
{
    const PianoKeyboardLayout layout(width, height, 2);
    EXPECT_EQ(layout.downKey(), QRectF(0, 0, 15, height));
    EXPECT_EQ(layout.upKey(), QRectF(495, 0, 15, height));
    // On a shared edge the key later in drawing order wins: the black key over C. -1: no key.
    const std::pair<QPointF, int> cases[] = {{{20, 28}, 0}, {{44, 28}, 1},   {{44, 2}, 1},
                                             {{60, 15}, 2}, {{490, 28}, 23}, {{35, 15}, 1},
                                             {{7, 15}, -1}, {{500, 15}, -1}, {{300, 40}, -1}};
    for (const auto &[point, pitch] : cases) {
        SCOPED_TRACE(point.x());
        const PianoKey *key = layout.keyAt(point);
        EXPECT_EQ(key ? key->pitch : -1, pitch);
    }
}

} // namespace
