#include "app/UpdateFeed.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    QVariant value;
    float number;
};

TEST(UpdateFeedTest, VersionsReadAsTheirLeadingDecimal)
{
    const VersionCase cases[] = {
        {QStringLiteral("1.5"), 1.5f},    {QStringLiteral("1.10"), 1.1f},
        {QStringLiteral("1.2.3"), 1.2f},  {QStringLiteral("  2 beta"), 2.0f},
        {QStringLiteral(".5"), 0.5f},     {QStringLiteral("3e-1"), 0.3f},
        {QStringLiteral("beta 2"), 0.0f}, {QStringLiteral(""), 0.0f},
        {QStringLiteral("-1.5"), 0.0f},   {QStringLiteral("1e999"), 0.0f},
        {QVariant(qint64(3)), 3.0f},      {QVariant(2.25), 2.25f},
        {QVariant(true), 0.0f},           {QVariant(), 0.0f},
    };
    for (const VersionCase &c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        EXPECT_FLOAT_EQ(UpdateFeed::versionNumber(c.value), c.number);
    }
}

} // namespace
