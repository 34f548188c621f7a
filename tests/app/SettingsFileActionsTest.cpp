#include "AppDelegateTestSupport.h"
#include "TestFiles.h"
#include "model/ControlCatalog.h"

#include <QFile>
#include <QTest>

namespace {

const QString saveTitle = QStringLiteral("Save Touchbar Settings...");
const QString loadTitle = QStringLiteral("Load Touchbar Settings...");

// Prints what Python's own reader finds in a settings file.
const QString readBack =
    QStringLiteral("import plistlib,sys\n"
                   "d=plistlib.load(open(sys.argv[1],'rb'))\n"
                   "print(sorted(d))\n"
                   "print(d['ControllerConfig']['pad1']['channel'], d['ControllerConfig']['pad1']['label'])\n"
                   "print(' '.join(d['NSTouchBarConfig']['CurrentItems']))\n"
                   "print(d['version'])");

QVariantMap controlMap(int channel, const QString &label)
{
    return {{QStringLiteral("pad1"), QVariantMap{{QStringLiteral("kind"), qint64(0)},
                                                 {QStringLiteral("channel"), qint64(channel)},
                                                 {QStringLiteral("label"), label}}}};
}

class SettingsFileActionsTest : public DialogsFixture {
protected:
    QVariant stored(const QString &key) const { return defaults.objectForKey(key); }
    // Shows user touch bar n.
    void show(int n)
    {
        app.presentation().setUserTouchbarNumber(n);
        if (!app.presentation().touchbarShown())
            app.toggleTouchbar();
        else
            app.showTouchbar(app.templates().userTouchBar(n));
    }
    QStringList rearranged(int n) const
    {
        QStringList items = ControlCatalog::userTouchBarDefaultItems(n).mid(0, 3);
        std::reverse(items.begin(), items.end());
        return items;
    }
};

TEST_F(SettingsFileActionsTest, FileSavedFromOneBarLoadsIntoAnotherOnly)
{
    defaults.setObject(controlMap(7, QStringLiteral("Bar three")), ControlCatalog::controlMapKey(3));
    defaults.setObject(QVariantMap{{QStringLiteral("CurrentItems"), rearranged(3)},
                                   {QStringLiteral("DefaultItems"), QStringList{QStringLiteral("x")}}},
                       ControlCatalog::customizationKey(3));
    show(3);
    files.savePath = dir.filePath(QStringLiteral("bar3.xml"));
    opened(saveTitle)->trigger();
    EXPECT_TRUE(files.errors.isEmpty());
    EXPECT_EQ(runPython(readBack, {files.savePath}),
              "['ControllerConfig', 'NSTouchBarConfig', 'version']\n7 Bar three\n" +
                  rearranged(3).join(QLatin1Char(' ')).toUtf8() + "\n0.1.0");

    const QVariant barFourMap = stored(ControlCatalog::controlMapKey(4));
    show(5);
    const QStringList beforeLoad = presented();
    files.openPath = files.savePath;
    opened(loadTitle)->trigger();
    EXPECT_EQ(stored(ControlCatalog::controlMapKey(5)), QVariant(controlMap(7, QStringLiteral("Bar three"))));
    const QVariantMap arrangement = stored(ControlCatalog::customizationKey(5)).toMap();
    EXPECT_EQ(arrangement.keys(), QStringList{QStringLiteral("CurrentItems")})
        << "the file's default items are never stored";
    EXPECT_EQ(arrangement.value(QStringLiteral("CurrentItems")).toStringList(), rearranged(3));
    EXPECT_EQ(stored(ControlCatalog::controlMapKey(4)), barFourMap);
    EXPECT_EQ(stored(ControlCatalog::controlMapKey(3)), QVariant(controlMap(7, QStringLiteral("Bar three"))));
    ASSERT_NE(beforeLoad, rearranged(3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return presented() == rearranged(3); }));
    EXPECT_EQ(app.presentation().userTouchbarNumber(), 5);
}

TEST_F(SettingsFileActionsTest, AFailedSaveIsReported)
{
    files.savePath = dir.filePath(QStringLiteral("no-such-folder/bar.xml"));
    opened(saveTitle)->trigger();
    ASSERT_EQ(files.errors.size(), 1);
    EXPECT_TRUE(files.errors.first().contains(files.savePath)) << files.errors.first().toStdString();
    EXPECT_FALSE(QFile::exists(files.savePath));
}

} // namespace
