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
    EXPECT_GT(UpdateFeed::versionNumber(QStringLiteral("1.2")),
              UpdateFeed::versionNumber(QStringLiteral("1.10")))
        << "1.10 is not newer than 1.2";
}

TEST(UpdateFeedTest, FeedGivesVersionAndAddress)
{
    const UpdateFeed feed = UpdateFeed::fromData(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>version</key><string>1.5</string>"
        "<key>url</key><string>https://korvane.xq/get</string></dict></plist>");
    EXPECT_FLOAT_EQ(feed.version(), 1.5f);
    EXPECT_EQ(feed.url(), QStringLiteral("https://korvane.xq/get"));

    const UpdateFeed noAddress =
        UpdateFeed::fromData("<plist version=\"1.0\"><dict><key>version</key><real>2</real>"
                             "<key>url</key><integer>7</integer></dict></plist>");
    EXPECT_EQ(noAddress.version(), 2.0f);
    EXPECT_TRUE(noAddress.url().isEmpty()) << "an address that is no string is no address";

    for (const QByteArray &bytes :
         {QByteArray(), QByteArray("1.5"), QByteArray("<plist version=\"1.0\"><string>1.5</string></plist>")})
        EXPECT_EQ(UpdateFeed::fromData(bytes).version(), 0.0f) << bytes.toStdString();
}

} // namespace
