#include "controls/padButton.h"
#include "controls/valignTextCell.h"

#include <gtest/gtest.h>

namespace {

TEST(valignTextCell, MirrorsTheTitleAboutTheMiddleAndLiftsItTwoPoints)
{
    struct {
        QRectF title, bounds, expected;
    } const cases[] = {
        {{5, 0, 60, 14}, {0, 0, 64, 30}, {5, 14, 60, 14}},
        {{5, 8, 60, 14}, {0, 0, 64, 30}, {5, 6, 60, 14}},
        {{0, 20, 10, 4}, {0, 10, 20, 30}, {0, 24, 10, 4}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(valignTextCell::titleRectForBounds(c.title, c.bounds), c.expected);
}

TEST(valignTextCell, EscapeTitleSitsTwoPointsAboveAPadTitle)
{
    padButton pad, escape;
    escape.setTitleCell(padButton::TitleCell::VAlignText);
    for (padButton *button : {&pad, &escape})
        button->resize(64, 30);
    EXPECT_EQ(escape.titleRect(), pad.titleRect().translated(0, -2));
    escape.setBezelColor(Qt::white);
    EXPECT_EQ(escape.titleColor(), QColor(Qt::white)) << "not coloured for its bezel";
}

} // namespace
