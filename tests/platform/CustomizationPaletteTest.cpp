#include "platform/touchbar/CustomizationPalette.h"
#include "PlaceholderItemFactory.h"
#include "controls/TouchBarTemplates.h"
#include "model/ControlCatalog.h"
#include "model/UserDefaults.h"
#include "platform/touchbar/StripTouchBarHost.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarArrangements.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString id(const char *name)
{
    return ControlCatalog::identifier(QString::fromLatin1(name));
}

QPushButton *button(QWidget &palette, const QString &title)
{
    for (auto *candidate : palette.findChildren<QPushButton *>()) {
        if (candidate->text() == title)
            return candidate;
    }
    return nullptr;
}

void select(QListWidget *list, int row)
{
    list->clearSelection();
    list->setCurrentRow(row);
    list->item(row)->setSelected(true);
}

class CustomizationPaletteTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    TouchBarArrangements arrangements{defaults};
    PlaceholderItemFactory factory;
    TouchBarTemplates templates{&factory, &arrangements};
    TouchBar *userBar = templates.userTouchBar(3);
};

TEST_F(CustomizationPaletteTest, ListsTheAllowedItemsByLabelAndTheCurrentArrangement)
{
    factory.unknown = {id("piano")};
    CustomizationPalette palette(*userBar);
    ASSERT_EQ(palette.allowedList()->count(), 43);
    EXPECT_EQ(palette.allowedList()->item(0)->text(), QStringLiteral("Label of slider1 (slider1)"));
    // Without an item there is no label; the control name still tells the user what it is.
    EXPECT_EQ(palette.allowedList()->item(42)->text(), QStringLiteral("piano"));
    EXPECT_EQ(palette.arrangement(), ControlCatalog::userTouchBarDefaultItems(3));
}

TEST_F(CustomizationPaletteTest, DoneStoresTheEditedArrangementUnderTheCustomizationKey)
{
    CustomizationPalette palette(*userBar);
    QSignalSpy finished(&palette, &CustomizationPalette::finished);

    select(palette.allowedList(), 42); // piano
    select(palette.arrangementList(), 0);
    button(palette, QStringLiteral("Add"))->click(); // after slider1
    select(palette.arrangementList(), 3);
    button(palette, QStringLiteral("Remove"))->click(); // slider3
    select(palette.arrangementList(), 3);
    button(palette, QStringLiteral("Move Up"))->click(); // slider4 before slider2
    button(palette, QStringLiteral("Move Up"))->click(); // and before piano
    select(palette.arrangementList(), 0);
    button(palette, QStringLiteral("Move Up"))->click(); // already first: stays

    const QStringList expected{id("slider1"), id("slider4"), id("piano"), id("slider2")};
    EXPECT_EQ(palette.arrangement(), expected);
    button(palette, QStringLiteral("Done"))->click();

    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(defaults.valueForKeyPath(ControlCatalog::customizationKey(3) + QStringLiteral(".CurrentItems"))
                  .toStringList(),
              expected);
    EXPECT_EQ(userBar->itemIdentifiers(), expected);
    EXPECT_EQ(templates.userTouchBar(4)->itemIdentifiers(), ControlCatalog::userTouchBarDefaultItems(4));
}

TEST_F(CustomizationPaletteTest, ClosingWithoutDoneKeepsTheStoredArrangementButStillEnds)
{
    userBar->storeArrangement({id("pad1")});
    CustomizationPalette palette(*userBar);
    QSignalSpy finished(&palette, &CustomizationPalette::finished);
    select(palette.arrangementList(), 0);
    button(palette, QStringLiteral("Remove"))->click();
    palette.show();
    palette.close();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(userBar->itemIdentifiers(), QStringList({id("pad1")}));
}

TEST_F(CustomizationPaletteTest, StripHostTogglesThePaletteAndReportsItsEnd)
{
    StripTouchBarHost host;
    QSignalSpy exited(&host, &TouchBarHost::didExitCustomization);
    host.toggleCustomizationPalette(userBar);
    ASSERT_NE(host.palette(), nullptr);
    EXPECT_TRUE(host.palette()->isVisible());
    host.toggleCustomizationPalette(userBar);
    EXPECT_EQ(exited.count(), 1);
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(host.palette(), nullptr) << "a closed palette is released";
}

} // namespace
