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
        bar.setCustomizationIdentifier(QStringLiteral("xq.korvane.stripdeck.customization-3.id"));
        bar.setDefaultItemIdentifiers({id("slider1"), id("slider2")});
    }
};

TEST_F(TouchBarTest, StoredArrangementIsAPropertyListOtherToolsReadAndBadOnesFallBack)
{
    ASSERT_TRUE(bar.storeArrangement({id("pad2"), ControlCatalog::flexibleSpaceIdentifier()}));
    EXPECT_EQ(runPython(QStringLiteral("import plistlib,sys; d=plistlib.load(open(sys.argv[1],'rb')); "
                                       "print('|'.join(d[sys.argv[2]]['CurrentItems']))"),
                        {defaults.filePath(), storedKey}),
              (id("pad2") + QStringLiteral("|NSTouchBarItemIdentifierFlexibleSpace")).toUtf8());
    ASSERT_TRUE(bar.storeArrangement({}));
    EXPECT_TRUE(bar.itemIdentifiers().isEmpty()) << "an empty arrangement still replaces the defaults";

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

TEST_F(TouchBarTest, HeadlessHostMakesItemsOnlyForThePresentedBarAndCachesThem)
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
    EXPECT_NE(host.presentedSlots()[2].item, nullptr);
    EXPECT_EQ(factory.made, QStringList({id("pad1"), id("mystery")})) << "pad1 came from the cache";

    host.minimize(&bar);
    host.setContent(&bar, {}, {id("pad5")});
    EXPECT_FALSE(factory.made.contains(id("pad5"))) << "a minimized bar makes no items";
}

} // namespace
