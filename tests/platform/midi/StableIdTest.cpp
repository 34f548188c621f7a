#include "StableId.h"
#include "AlsaUniqueId.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

TEST(StableId, IsPositiveAndApartForThePortNames)
{
    const QStringList names{"Stripdeck Surface:in",
                            "Stripdeck Surface:out",
                            "Stripdeck User:in",
                            "Stripdeck User:out",
                            "a2j:Midi Through [14] (capture): Midi Through Port-0",
                            ""};
    QSet<qint32> seen;
    for (const QString &name : names) {
        EXPECT_GT(StableId::fromName(name), 0) << name.toStdString();
        seen.insert(StableId::fromName(name));
    }
    EXPECT_EQ(seen.size(), names.size());
}

// FNV-1a reference values: the identifiers stored by earlier runs must stay valid.
TEST(StableId, KeepsItsValuesAcrossVersions)
{
    EXPECT_EQ(StableId::fromName(u"a"), qint32(0xE40C292C & 0x7FFFFFFF));
    EXPECT_EQ(StableId::fromName(u"foobar"), qint32(0xBF9CF968 & 0x7FFFFFFF));
}

TEST(AlsaUniqueId, OwnPortsRoundTripAndOthersAreRefused)
{
    for (int port : {0, 1, 3, 253})
        EXPECT_EQ(AlsaUniqueId::portOf(AlsaUniqueId::ownPort(port)), port);
    EXPECT_EQ(AlsaUniqueId::portOf(0), std::nullopt);
    EXPECT_EQ(AlsaUniqueId::portOf(AlsaUniqueId::otherPort(128, 0)), std::nullopt);
    EXPECT_EQ(AlsaUniqueId::portOf(StableId::fromName(u"Stripdeck Surface:in")), std::nullopt);
    EXPECT_EQ(AlsaUniqueId::portOf(-1), std::nullopt);
    EXPECT_EQ(AlsaUniqueId::portOf(AlsaUniqueId::ownPort(0) | 0xFE), std::nullopt);
}

} // namespace
