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
    const std::pair<int, QRectF> semitones[] = {
        {PianoKey::WhiteBlackRight, {15, -10, 30, 40}}, {PianoKey::Black, {35, -20, 20, 40}},
        {PianoKey::WhiteBetween, {45, -10, 40, 40}},    {PianoKey::Black, {75, -20, 20, 40}},
        {PianoKey::WhiteBlackLeft, {85, -10, 30, 40}},  {PianoKey::WhiteBlackRight, {115, -10, 30, 40}},
        {PianoKey::Black, {135, -20, 20, 40}},          {PianoKey::WhiteBetween, {145, -10, 40, 40}},
        {PianoKey::Black, {175, -20, 20, 40}},          {PianoKey::WhiteBetween, {185, -10, 40, 40}},
        {PianoKey::Black, {215, -20, 20, 40}},          {PianoKey::WhiteBlackLeft, {225, -10, 30, 40}},
    };
    const PianoKeyboardLayout layout(width, height, 2);
    ASSERT_FLOAT_EQ(layout.unit(), 20.0f);
    ASSERT_EQ(layout.keys().size(), 24);
    for (int pitch = 0; pitch < 24; ++pitch) {
        SCOPED_TRACE(pitch);
        const PianoKey *key = layout.keyWithPitch(pitch);
        ASSERT_NE(key, nullptr);
        const auto &[type, draw] = semitones[pitch % 12];
        EXPECT_EQ(key->type, type);
        EXPECT_EQ(key->drawPath.boundingRect(), draw.translated(240 * (pitch / 12), 0));
        EXPECT_EQ(key->touchPath, QRectF(15 + 20 * pitch, 0, 20, height));
    }
}

TEST(PianoKeyboardLayout, TouchesFindTheirKeyOrTheEndZones)
{
    const PianoKeyboardLayout layout(width, height, 2);
    EXPECT_EQ(layout.downKey(), QRectF(0, 0, 15, height));
    EXPECT_EQ(layout.upKey(), QRectF(495, 0, 15, height));
    // On a shared edge the key drawn later wins: black keys are drawn over the white ones. -1: no key.
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
