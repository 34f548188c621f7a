#include "model/UserDefaults.h"
#include "TestFiles.h"
#include "model/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class UserDefaultsTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("stripdeck/xq.korvane.Stripdeck.plist")); }
    QTemporaryDir m_dir;
};

TEST_F(UserDefaultsTest, UserLayerAndLaterRegistrationsHideRegisteredValuesPerTopLevelKey)
{
    UserDefaults store(path());
    store.registerDefaults(
        {{QStringLiteral("A"), QVariantMap{{QStringLiteral("x"), 1}, {QStringLiteral("y"), 2}}},
         {QStringLiteral("B"), QStringLiteral("registered")}});
    EXPECT_EQ(store.valueForKeyPath(QStringLiteral("A.y")).toInt(), 2);

    store.setObject(QVariantMap{{QStringLiteral("x"), 10}}, QStringLiteral("A"));
    EXPECT_EQ(store.valueForKeyPath(QStringLiteral("A.x")).toInt(), 10);
    EXPECT_FALSE(store.valueForKeyPath(QStringLiteral("A.y")).isValid())
        << "a stored dictionary hides all of the registered one";
    EXPECT_EQ(store.stringForKey(QStringLiteral("B")), QStringLiteral("registered"));

    store.removeObjectForKey(QStringLiteral("A"));
    EXPECT_EQ(store.valueForKeyPath(QStringLiteral("A.y")).toInt(), 2);
    EXPECT_FALSE(store.objectForKey(QStringLiteral("missing")).isValid());
    EXPECT_FALSE(store.valueForKeyPath(QStringLiteral("B.deeper")).isValid());
}

TEST_F(UserDefaultsTest, WritesPersistOnlyTheUserLayerAndPlistlibReadsThem)
{
    {
        UserDefaults store(path());
        store.registerDefaults({{QStringLiteral("Registered"), true}});
        ASSERT_TRUE(store.setObject(QStringLiteral("Grüße"), QStringLiteral("Name")));
        ASSERT_TRUE(store.setObject(qint64(-7), QStringLiteral("surface-in-UID")));
    }
    UserDefaults reopened(path());
    EXPECT_EQ(reopened.stringForKey(QStringLiteral("Name")), QStringLiteral("Grüße"));
    EXPECT_EQ(reopened.integerForKey(QStringLiteral("surface-in-UID")), -7);
    EXPECT_FALSE(reopened.objectForKey(QStringLiteral("Registered")).isValid());

    const QByteArray printed = runPython(QStringLiteral("import plistlib,sys\n"
                                                        "d=plistlib.load(open(sys.argv[1],'rb'))\n"
                                                        "print(sorted(d.keys()), d['surface-in-UID'])"),
                                         {path()});
    EXPECT_EQ(printed, QByteArray("['Name', 'surface-in-UID'] -7"));
}

TEST_F(UserDefaultsTest, UnreadableFileIsMovedAsideNeverOverwritten)
{
    QDir().mkpath(QFileInfo(path()).absolutePath());
    const QByteArray unreadable[] = {QByteArray("\x01\x02 this was someone's preferences, damaged", 43),
                                     PropertyList::toXml(QVariantList{1, 2})};
    for (const QByteArray &garbage : unreadable) {
        {
            QFile file(path());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        }
        UserDefaults store(path());
        ASSERT_FALSE(store.movedAsidePath().isEmpty());
        EXPECT_FALSE(store.lastError().isEmpty());
        EXPECT_FALSE(QFile::exists(path()));
        store.registerDefaults({{QStringLiteral("CheckForUpdate"), true}});
        EXPECT_TRUE(store.boolForKey(QStringLiteral("CheckForUpdate")));
        ASSERT_TRUE(store.setObject(1, QStringLiteral("written")));
        QFile aside(store.movedAsidePath());
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), garbage) << "later writes go to a new file";
    }
}

} // namespace
