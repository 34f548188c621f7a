#include "controls/titleColorCell.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    QColor bezel;
    bool state;
    QColor text;
};

TEST(titleColorCellTest, WhiteWinsUnlessTheBezelIsVeryLightAndOn)
{
    const TitleCase cases[] = {
        {Qt::white, true, Qt::black},
        {QColor::fromRgbF(0.5f, 0.5f, 0.5f), true, Qt::white},
        {Qt::white, false, Qt::white},
        {Qt::yellow, true, Qt::black},
        {QColor::fromRgbF(0.2835f, 0.56f, 0.4076f), true, Qt::white},
        {Qt::black, true, Qt::white},
    };
    for (const TitleCase &c : cases) {
        EXPECT_EQ(titleColorCell::getTextColorForBackColor(c.bezel, c.state), c.text)
            << c.bezel.name().toStdString() << " state " << c.state;
    }
}

TEST(titleColorCellTest, ContrastIsNotReordered)
{
    EXPECT_NEAR(titleColorCell::contrastOf(Qt::white, Qt::black), 21.0f, 0.01f);
    EXPECT_NEAR(titleColorCell::contrastOf(Qt::black, Qt::white), 1.0f / 21.0f, 0.001f);
}

} // namespace
