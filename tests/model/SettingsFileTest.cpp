#include "model/SettingsFile.h"
#include "TestFiles.h"
#include "model/ControlCatalog.h"
#include "model/PropertyList.h"
#include "model/UserDefaults.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString readBack =
    QStringLiteral("import plistlib,sys,json\n"
                   "d=plistlib.load(open(sys.argv[1],'rb'))\n"
                   "print(json.dumps({k: d[k] for k in sorted(d)}, sort_keys=True, ensure_ascii=False))");

QVariantMap controlMap(int channel)
{
    return {{QStringLiteral("slider1"), QVariantMap{{QStringLiteral("kind"), QStringLiteral("ctrl")},
                                                    {QStringLiteral("channel"), channel}}}};
}

class SettingsFileTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QTemporaryDir m_dir;
    UserDefaults m_store{m_dir.filePath(QStringLiteral("prefs.plist"))};
    SettingsFile m_settings{m_store};
};

TEST_F(SettingsFileTest, NeverRearrangedBarSavesItsDefaultItems)
{
    m_store.registerDefaults({{ControlCatalog::controlMapKey(1), controlMap(4)}});
    ASSERT_TRUE(m_settings.save(file(QStringLiteral("bar1.xml")), 1,
                                ControlCatalog::userTouchBarDefaultItems(1), QStringLiteral("0.1.0")));
    EXPECT_EQ(runPython(readBack, {file(QStringLiteral("bar1.xml"))}),
              QByteArray("{\"ControllerConfig\": {\"slider1\": {\"channel\": 4, \"kind\": \"ctrl\"}}, "
                         "\"NSTouchBarConfig\": {\"CurrentItems\": [\"xq.korvane.stripdeck.slider1\", "
                         "\"xq.korvane.stripdeck.slider2\", \"xq.korvane.stripdeck.slider3\", "
                         "\"xq.korvane.stripdeck.slider4\"]}, \"version\": \"0.1.0\"}"));
}

TEST_F(SettingsFileTest, UnreadableOrPartialFilesChangeOnlyWhatTheyHold)
{
    m_store.setObject(controlMap(2), ControlCatalog::controlMapKey(0));
    writeFile(QStringLiteral("garbage.xml"), "no property list at all");
    writeFile(QStringLiteral("array.xml"), PropertyList::toXml(QVariantList{1}));
    writeFile(QStringLiteral("wrong-types.xml"),
              PropertyList::toXml(QVariantMap{{QStringLiteral("ControllerConfig"), QStringLiteral("text")},
                                              {QStringLiteral("NSTouchBarConfig"), 5}}));
    EXPECT_FALSE(m_settings.load(file(QStringLiteral("garbage.xml")), 0));
    EXPECT_FALSE(m_settings.load(file(QStringLiteral("array.xml")), 0));
    EXPECT_FALSE(m_settings.load(file(QStringLiteral("missing.xml")), 0));
    EXPECT_TRUE(m_settings.load(file(QStringLiteral("wrong-types.xml")), 0));
    EXPECT_EQ(m_store.objectForKey(ControlCatalog::controlMapKey(0)).toMap(), controlMap(2));
    EXPECT_FALSE(m_store.objectForKey(ControlCatalog::customizationKey(0)).isValid());
}

TEST_F(SettingsFileTest, ReadsFilesWrittenByPlistlib)
{
    runPython(QStringLiteral("import plistlib,sys\n"
                             "plistlib.dump({'ControllerConfig': {'pad1': {'kind': 'note', "
                             "'channel': 10, 'scaleTo': 100.0}},"
                             " 'version': '9'}, open(sys.argv[1],'wb'))"),
              {file(QStringLiteral("python.xml"))});
    ASSERT_TRUE(m_settings.load(file(QStringLiteral("python.xml")), 2));
    EXPECT_EQ(m_store.valueForKeyPath(ControlCatalog::controlMapKey(2) + QStringLiteral(".pad1.scaleTo"))
                  .toDouble(),
              100.0);
}

} // namespace
