#include "controls/padButton.h"
#include "controls/titleColorCell.h"
#include "controls/valignTextCell.h"

#include <gtest/gtest.h>

namespace {

TEST(titleColorCell, WhiteWinsUnlessTheBezelIsVeryLightAndOn)
{
    const std::tuple<QColor, bool, QColor> cases[] = {
        {Qt::white, true, Qt::black},
        {QColor::fromRgbF(0.5f, 0.5f, 0.5f), true, Qt::white},
        {Qt::white, false, Qt::white},
        {Qt::yellow, true, Qt::black},
        {QColor::fromRgbF(0.2835f, 0.56f, 0.4076f), true, Qt::white},
        {Qt::black, true, Qt::white},
    };
    for (const auto &[bezel, state, text] : cases)
        EXPECT_EQ(titleColorCell::getTextColorForBackColor(bezel, state), text)
            << bezel.name().toStdString() << " state " << state;
    // The contrast keeps the order of its arguments.
    EXPECT_NEAR(titleColorCell::contrastOf(Qt::white, Qt::black), 21.0f, 0.01f);
    EXPECT_NEAR(titleColorCell::contrastOf(Qt::black, Qt::white), 1.0f / 21.0f, 0.001f);
}

TEST(valignTextCell, MirrorsTheTitleAboutTheMiddleAndLiftsItTwoPoints)
{
    const std::tuple<QRectF, QRectF, QRectF> cases[] = {
        {{5, 0, 60, 14}, {0, 0, 64, 30}, {5, 14, 60, 14}},
        {{5, 8, 60, 14}, {0, 0, 64, 30}, {5, 6, 60, 14}},
        {{0, 20, 10, 4}, {0, 10, 20, 30}, {0, 24, 10, 4}},
    };
    for (const auto &[title, bounds, expected] : cases)
        EXPECT_EQ(valignTextCell::titleRectForBounds(title, bounds), expected);
    padButton pad, escape;
    escape.setTitleCell(padButton::TitleCell::VAlignText);
    for (padButton *button : {&pad, &escape})
        button->resize(64, 30);
    EXPECT_EQ(escape.titleRect(), pad.titleRect().translated(0, -2)) << "the escape title sits higher";
    escape.setBezelColor(Qt::white);
    EXPECT_EQ(escape.titleColor(), QColor(Qt::white)) << "not coloured for its bezel";
}

} // namespace
