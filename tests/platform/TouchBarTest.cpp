#include "platform/touchbar/TouchBar.h"
#include "PlaceholderItemFactory.h"
#include "TestFiles.h"
#include "model/ControlCatalog.h"
#include "model/UserDefaults.h"
#include "platform/touchbar/HeadlessTouchBarHost.h"
#include "platform/touchbar/TouchBarArrangements.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString barId = QStringLiteral("xq.korvane.stripdeck.customization-3.id");
const QString storedKey = QStringLiteral("NSTouchBarConfig: xq·korvane·stripdeck·customization-3·id");

QString id(const char *name)
{
    return ControlCatalog::identifier(QString::fromLatin1(name));
}

class TouchBarTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    TouchBarArrangements arrangements{defaults};
    PlaceholderItemFactory factory;
    TouchBar bar{&factory, &arrangements};

    void SetUp() override
    {
        bar.setCustomizationIdentifier(barId);
        bar.setDefaultItemIdentifiers({id("slider1"), id("slider2")});
    }
};

TEST_F(TouchBarTest, ItemsComeFromTheCacheUntilDroppedUnknownOnesAreAskedAgain)
{
    factory.unknown = {id("nothing")};
    const auto first = bar.itemForIdentifier(id("pad1"));
    EXPECT_EQ(bar.itemForIdentifier(id("pad1")), first);
    bar.dropCachedItems();
    EXPECT_NE(bar.itemForIdentifier(id("pad1")), first);
    EXPECT_EQ(bar.itemForIdentifier(id("nothing")), nullptr);
    EXPECT_EQ(bar.itemForIdentifier(id("nothing")), nullptr);
    EXPECT_EQ(bar.itemForIdentifier(ControlCatalog::flexibleSpaceIdentifier()), nullptr);
    EXPECT_EQ(factory.made, QStringList({id("pad1"), id("pad1"), id("nothing"), id("nothing")}));
}

TEST_F(TouchBarTest, StoredArrangementReplacesTheDefaultItemsEvenWhenEmpty)
{
    EXPECT_EQ(bar.itemIdentifiers(), QStringList({id("slider1"), id("slider2")}));
    ASSERT_TRUE(bar.storeArrangement({id("piano"), id("pad3")}));
    EXPECT_EQ(bar.itemIdentifiers(), QStringList({id("piano"), id("pad3")}));

    // Another bar with the same customization identifier sees it too, as the presented bar does.
    TouchBar other(&factory, &arrangements);
    other.setCustomizationIdentifier(barId);
    EXPECT_EQ(other.itemIdentifiers(), QStringList({id("piano"), id("pad3")}));
    ASSERT_TRUE(bar.storeArrangement({}));
    EXPECT_TRUE(other.itemIdentifiers().isEmpty());
}

TEST_F(TouchBarTest, UnusableStoredArrangementsFallBackToTheDefaults)
{
    const QVariant malformed[] = {
        QStringLiteral("not a dictionary"),
        QVariantMap{{QStringLiteral("CurrentItems"), QStringLiteral("not a list")}},
        QVariantMap{{QStringLiteral("CurrentItems"), QVariantList{id("pad1"), qint64(4)}}},
        QVariantMap{{QStringLiteral("OtherKey"), QVariantList{id("pad1")}}},
    };
    for (const QVariant &value : malformed) {
        SCOPED_TRACE(value.toString().toStdString());
        defaults.setObject(value, storedKey);
        EXPECT_EQ(bar.itemIdentifiers(), QStringList({id("slider1"), id("slider2")}));
    }
}

TEST_F(TouchBarTest, BarWithoutCustomizationIdentifierStoresNothing)
{
    TouchBar group(&factory, &arrangements);
    group.setDefaultItemIdentifiers({id("close")});
    EXPECT_FALSE(group.storeArrangement({id("pad1")}));
    EXPECT_EQ(group.itemIdentifiers(), QStringList({id("close")}));
}

TEST_F(TouchBarTest, StoredArrangementIsAPropertyListOtherToolsRead)
{
    ASSERT_TRUE(bar.storeArrangement({id("pad2"), ControlCatalog::flexibleSpaceIdentifier()}));
    EXPECT_EQ(runPython(QStringLiteral("import plistlib,sys; d=plistlib.load(open(sys.argv[1],'rb')); "
                                       "print('|'.join(d[sys.argv[2]]['CurrentItems']))"),
                        {defaults.filePath(), storedKey}),
              (id("pad2") + QStringLiteral("|NSTouchBarItemIdentifierFlexibleSpace")).toUtf8());
}

TEST_F(TouchBarTest, HeadlessHostLaysOutThePresentedBarOnEveryContentChange)
{
    HeadlessTouchBarHost host;
    factory.unknown = {id("mystery")};
    host.setContent(&bar, {}, {id("pad1")});
    EXPECT_TRUE(factory.made.isEmpty()) << "nothing is made before the bar is presented";

    host.present(&bar);
    host.setContent(&bar, {}, {id("mystery"), ControlCatalog::flexibleSpaceIdentifier(), id("pad1")});
    ASSERT_EQ(host.presentedSlots().size(), 3);
    EXPECT_EQ(host.presentedSlots()[0].item, nullptr);
    EXPECT_EQ(host.presentedSlots()[1].item, nullptr);
    ASSERT_NE(host.presentedSlots()[2].item, nullptr);
    // pad1 came from the cache the second time; the unknown identifier was asked once.
    EXPECT_EQ(factory.made, QStringList({id("pad1"), id("mystery")}));

    host.minimize(&bar);
    EXPECT_EQ(host.presentedBar(), nullptr);
    host.setContent(&bar, {}, {id("pad5")});
    EXPECT_FALSE(factory.made.contains(id("pad5"))) << "a minimized bar makes no items";
}

} // namespace
