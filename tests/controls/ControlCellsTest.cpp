#include "controls/colorWellButton.h"
#include "controls/padButton.h"
#include "controls/pseudoSlider.h"
#include "controls/valignTextCell.h"

#include <QColorDialog>
#include <QImage>
#include <QTest>

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

TEST(pseudoSlider, ShowsAHalfFilledBarAndLetsPressesThrough)
{
    QWidget parent;
    parent.resize(200, 40);
    auto *preview = new pseudoSlider(&parent);
    preview->setGeometry(0, 0, 200, 22);
    preview->setTrackFillColor(QColor(Qt::red));
    const QImage image = preview->grab().toImage();
    const int middle = image.height() / 2;
    EXPECT_EQ(image.pixelColor(50, middle), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(150, middle), QColor(Qt::red));

    struct PressWatcher : QObject {
        int presses = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            presses += event->type() == QEvent::MouseButtonPress;
            return false;
        }
    } watcher;
    parent.installEventFilter(&watcher);
    parent.show();
    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(watcher.presses, 1) << "the press goes on to the widget below";
}

TEST(colorWellButton, OneSharedPanelFollowsTheActiveWell)
{
    colorWellButton first, second;
    first.setColor(Qt::red);
    second.setColor(Qt::blue);
    first.resize(44, 22);
    second.resize(44, 22);
    QList<QColor> firstChanges;
    QObject::connect(&first, &colorWellButton::colorChanged,
                     [&](const QColor &c) { firstChanges.append(c); });

    QTest::mouseClick(&first, Qt::LeftButton);
    QColorDialog *panel = colorWellButton::sharedColorPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(first.isActive());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->currentColor(), QColor(Qt::red));
    EXPECT_TRUE(firstChanges.isEmpty()) << "showing the panel is no change";

    panel->setCurrentColor(Qt::green);
    EXPECT_EQ(first.color(), QColor(Qt::green));
    EXPECT_EQ(firstChanges, QList<QColor>{QColor(Qt::green)});

    QTest::mouseClick(&second, Qt::LeftButton);
    EXPECT_FALSE(first.isActive());
    EXPECT_TRUE(second.isActive());
    EXPECT_TRUE(panel->isVisible()) << "another well takes the open panel over";
    EXPECT_EQ(panel->currentColor(), QColor(Qt::blue));
    panel->setCurrentColor(Qt::yellow);
    EXPECT_EQ(first.color(), QColor(Qt::green));
    EXPECT_EQ(second.color(), QColor(Qt::yellow));

    QTest::mouseClick(&second, Qt::LeftButton);
    EXPECT_FALSE(second.isActive());
    EXPECT_FALSE(panel->isVisible());
}

} // namespace
