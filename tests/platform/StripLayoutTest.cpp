#include "platform/touchbar/StripLayout.h"
#include "platform/touchbar/StripWindow.h"

#include <gtest/gtest.h>

namespace {

using Kind = StripLayout::Kind;

struct LayoutCase {
    const char *name;
    QList<StripLayout::Slot> entries;
    // x and width in points, one per slot; a negative width for a slot that is not shown.
    QList<std::pair<qreal, qreal>> expected;
};

class StripLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(StripLayoutTest, PlacesEveryItemInListOrder)
{
    const LayoutCase &c = GetParam();
    const QList<QRectF> frames = StripLayout::layout(c.entries);
    ASSERT_EQ(frames.size(), c.expected.size());
    for (qsizetype i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        if (c.expected[i].second < 0) {
            EXPECT_TRUE(frames[i].isNull());
            continue;
        }
        EXPECT_DOUBLE_EQ(frames[i].x(), c.expected[i].first);
        EXPECT_DOUBLE_EQ(frames[i].width(), c.expected[i].second);
        EXPECT_DOUBLE_EQ(frames[i].y(), 0.0);
        EXPECT_DOUBLE_EQ(frames[i].height(), 30.0);
    }
}

QList<StripLayout::Slot> repeated(StripLayout::Slot slot, int count)
{
    return QList<StripLayout::Slot>(count, slot);
}

QList<std::pair<qreal, qreal>> fixedRow(int shown, int hidden)
{
    QList<std::pair<qreal, qreal>> frames;
    for (int i = 0; i < shown; ++i)
        frames.append({i * 80.0, 72.0});
    for (int i = 0; i < hidden; ++i)
        frames.append({0.0, -1.0});
    return frames;
}

const StripLayout::Slot slider{Kind::AtLeast, 100.0};
const StripLayout::Slot button{Kind::Fixed, 72.0};
const StripLayout::Slot flexible{Kind::FlexibleSpace, 0.0};
const StripLayout::Slot fill{Kind::Fill, 0.0};
const StripLayout::Slot empty{Kind::Empty, 0.0};

INSTANTIATE_TEST_SUITE_P(
    Rows, StripLayoutTest,
    ::testing::Values(
        // Two sliders share what three buttons leave: 1085 - 3 * 72 - 4 * 8 = 837.
        LayoutCase{"SlidersGrow",
                   {slider, slider, button, button, button},
                   {{0, 418.5}, {426.5, 418.5}, {853, 72}, {933, 72}, {1013, 72}}},
        // The bank takes the row after the close button.
        LayoutCase{"FullWidthViewTakesTheRest", {button, fill}, {{0, 72}, {80, 1005}}},
        // Eleven buttons centred between two flexible spaces: (1085 - 792 - 96) / 2 = 98.5.
        LayoutCase{"FlexibleSpacesCentre",
                   QList<StripLayout::Slot>{flexible} + repeated(button, 11) +
                       QList<StripLayout::Slot>{flexible},
                   [] {
                       QList<std::pair<qreal, qreal>> frames{{0, 98.5}};
                       for (int i = 0; i < 11; ++i)
                           frames.append({106.5 + i * 80.0, 72});
                       frames.append({986.5, 98.5});
                       return frames;
                   }()},
        LayoutCase{"FullWidthBeatsFlexibleSpace", {flexible, fill}, {{0, 0}, {8, 1077}}},
        LayoutCase{"FlexibleSpaceBeatsSliders", {slider, flexible}, {{0, 100}, {108, 977}}},
        LayoutCase{"EmptySlotsTakeNoRoom", {button, empty, button}, {{0, 72}, {0, -1}, {80, 72}}},
        LayoutCase{"ButtonsAloneStayLeft", repeated(button, 2), fixedRow(2, 0)},
        // 13 buttons need 13 * 72 + 12 * 8 = 1032 points; a 14th would pass the edge.
        LayoutCase{"ItemsPastTheEdgeAreNotShown", repeated(button, 16), fixedRow(13, 3)},
        LayoutCase{"PianoKeepsItsMinimum", {{Kind::AtLeast, 400.0}, button}, {{0, 1005}, {1013, 72}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StripWindowScale, FollowsTheScreenWidthInQuarterStepsWithinOneToThree)
{
    const std::pair<int, qreal> cases[] = {{640, 1.0},  {1280, 1.0}, {1366, 1.0}, {1600, 1.25},
                                           {1920, 1.5}, {2560, 2.0}, {3840, 3.0}, {7680, 3.0}};
    for (const auto &[width, scale] : cases) {
        SCOPED_TRACE(width);
        EXPECT_DOUBLE_EQ(StripWindow::scaleForScreenWidth(width), scale);
    }
}

} // namespace
