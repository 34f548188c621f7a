#include "app/AppDelegate.h"
#include "model/ControlCatalog.h"
#include "model/ControlSettings.h"
#include "model/PreferencesSetup.h"

#include <gtest/gtest.h>

namespace {

void expectPlayableRecord(const QVariantMap &record, const QString &where)
{
    SCOPED_TRACE(where.toStdString());
    ASSERT_FALSE(record.isEmpty());
    ASSERT_TRUE(record.contains(QStringLiteral("kind")));
    const ControlSettings settings(record);
    EXPECT_GE(settings.channel(), 1);
    EXPECT_LE(settings.channel(), 16);
    const auto kind = settings.kind();
    const double maximum = ControlSettings::kindMaximum(kind);
    EXPECT_GE(settings.scaleFrom(), 0);
    EXPECT_LE(settings.scaleTo(), maximum);
    if (kind == ControlSettings::Kind::Ctrl || kind == ControlSettings::Kind::Note) {
        EXPECT_GE(settings.value(), 0);
        EXPECT_LE(settings.value(), 127);
    }
}

// The embedded resource must give every control a record a musician can play with at once.
TEST(DefaultsResource, EveryControlOfEveryMapHasAPlayableRecord)
{
    const QVariantMap defaults = AppDelegate::defaultsResource();
    ASSERT_FALSE(defaults.isEmpty()) << "the resource did not load";
    for (const QString &key : PreferencesSetup::mergedKeyPaths()) {
        const QVariantMap map = defaults.value(key).toMap();
        ASSERT_FALSE(map.isEmpty()) << key.toStdString();
        for (const QString &name : ControlCatalog::topLevelControlNames())
            expectPlayableRecord(map.value(name).toMap(), key + QLatin1Char(' ') + name);
        for (const QString &group : ControlCatalog::groupNames()) {
            const QVariantMap record = map.value(group).toMap();
            EXPECT_FALSE(record.value(QStringLiteral("label")).toString().isEmpty()) << group.toStdString();
            for (const QString &member : ControlCatalog::groupMemberNames(group))
                expectPlayableRecord(record.value(member).toMap(),
                                     key + QLatin1Char(' ') + group + QLatin1Char('.') + member);
        }
    }
}

} // namespace
