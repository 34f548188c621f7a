#include "model/PreferencesSetup.h"
#include "model/ControlCatalog.h"
#include "model/UserDefaults.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString bar0 = ControlCatalog::controlMapKey(0);

QVariantMap record(const QString &kind, int channel)
{
    return {{QStringLiteral("kind"), kind}, {QStringLiteral("channel"), channel}};
}

QVariantMap defaults()
{
    QVariantMap group{{QStringLiteral("label"), QStringLiteral("Faders 1")},
                      {QStringLiteral("slider1"), record(QStringLiteral("ctrl"), 2)},
                      {QStringLiteral("slider2"), record(QStringLiteral("ctrl"), 3)}};
    QVariantMap map{{QStringLiteral("slider1"), record(QStringLiteral("ctrl"), 1)},
                    {QStringLiteral("pad1"), record(QStringLiteral("note"), 10)},
                    {QStringLiteral("4slider-group1"), group}};
    QVariantMap all;
    for (const QString &key : PreferencesSetup::mergedKeyPaths())
        all.insert(key, map);
    all.insert(QStringLiteral("CheckForUpdate"), true);
    return all;
}

class PreferencesSetupTest : public ::testing::Test {
protected:
    QVariantMap storedMap() const { return m_store.objectForKey(bar0).toMap(); }
    void start() { PreferencesSetup(m_store).setupUserPreferences(defaults()); }

    QTemporaryDir m_dir;
    UserDefaults m_store{m_dir.filePath(QStringLiteral("prefs.plist"))};
};

TEST_F(PreferencesSetupTest, AddsWhatIsMissingAtEveryLevelAndKeepsWhatIsStored)
{
    QVariantMap stored = defaults().value(bar0).toMap();
    stored.remove(QStringLiteral("pad1"));
    stored.insert(QStringLiteral("slider1"), QVariantMap{{QStringLiteral("kind"), QStringLiteral("nrpn")}});
    stored.insert(QStringLiteral("obsolete"), record(QStringLiteral("ctrl"), 5));
    stored.insert(QStringLiteral("4slider-group1"),
                  QVariantMap{{QStringLiteral("label"), QStringLiteral("Mine")}});
    m_store.setObject(stored, bar0);

    QSignalSpy writes(&m_store, &UserDefaults::valueChanged);
    start();
    EXPECT_EQ(writes.count(), 4) << "one write per missing key";
    EXPECT_EQ(storedMap().value(QStringLiteral("pad1")).toMap(), record(QStringLiteral("note"), 10));
    EXPECT_EQ(storedMap().value(QStringLiteral("slider1")).toMap(), record(QStringLiteral("nrpn"), 1));
    EXPECT_TRUE(storedMap().contains(QStringLiteral("obsolete")));
    const QVariantMap group = storedMap().value(QStringLiteral("4slider-group1")).toMap();
    EXPECT_EQ(group.value(QStringLiteral("label")).toString(), QStringLiteral("Mine"));
    EXPECT_EQ(group.value(QStringLiteral("slider2")).toMap(), record(QStringLiteral("ctrl"), 3));
}

TEST_F(PreferencesSetupTest, NonDictionariesOnEitherSideAreLeftAlone)
{
    QVariantMap stored = defaults().value(bar0).toMap();
    stored.insert(QStringLiteral("4slider-group1"), QStringLiteral("not a dictionary"));
    stored.insert(QStringLiteral("pad1"), QVariantMap{{QStringLiteral("custom"), true}});
    m_store.setObject(stored, bar0);
    m_store.setObject(QVariantList{1, 2}, ControlCatalog::controlMapKey(3));
    QVariantMap strange = defaults();
    QVariantMap strangeMap = strange.value(bar0).toMap();
    strangeMap.insert(QStringLiteral("pad1"), QStringLiteral("a default that is no dictionary"));
    strange.insert(bar0, strangeMap);

    QSignalSpy writes(&m_store, &UserDefaults::valueChanged);
    PreferencesSetup(m_store).setupUserPreferences(strange);
    EXPECT_EQ(writes.count(), 0);
    EXPECT_EQ(m_store.objectForKey(bar0).toMap(), stored);
    EXPECT_EQ(m_store.objectForKey(ControlCatalog::controlMapKey(3)).toList().size(), 2);
}

} // namespace
