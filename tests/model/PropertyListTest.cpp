#include "model/PropertyList.h"

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

QVariantMap sampleTree()
{
    return {
        {QStringLiteral("string"), QStringLiteral("Grüße · 音")},
        {QStringLiteral("integer"), qint64(-42)},
        {QStringLiteral("large"), qint64(1) << 40},
        {QStringLiteral("real"), 0.3176},
        {QStringLiteral("flag"), true},
        {QStringLiteral("data"), QByteArray("\x00\x01\xff", 3)},
        {QStringLiteral("date"), QDateTime(QDate(2026, 12, 6), QTime(6, 30, 15), QTimeZone::utc())},
        {QStringLiteral("list"), QVariantList{qint64(1), QStringLiteral("two"), QVariantMap{}}},
        {QStringLiteral("nested"),
         QVariantMap{{QStringLiteral("deeper"), QVariantMap{{QStringLiteral("x"), false}}}}},
    };
}

TEST(PropertyList, XmlRoundTripKeepsEveryType)
{
    const QVariantMap tree = sampleTree();
    const std::optional<QVariant> back = PropertyList::fromData(PropertyList::toXml(tree));
    ASSERT_TRUE(back);
    const QVariantMap map = back->toMap();
    for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        EXPECT_EQ(map.value(it.key()), it.value());
        EXPECT_EQ(map.value(it.key()).typeId(), it.value().typeId());
    }
    // QVariant's comparison takes a number for a flag; the type is checked one level down too.
    const QVariant nested = map.value(QStringLiteral("nested")).toMap().value(QStringLiteral("deeper"));
    EXPECT_EQ(nested.toMap().value(QStringLiteral("x")).typeId(), QMetaType::Bool);
}

TEST(PropertyList, BinaryStringsWithNulBytesAreRefusedOthersRead)
{
    // {"ab": "x\0y"} and {"k": "Grüße"} (a UTF-16 string), as written by plistlib.
    const QByteArray withNul =
        QByteArray::fromHex("62706c6973743030d1010252616253780079080b0e0000000000000101000000000000"
                            "000300000000000000000000000000000012");
    const QByteArray utf16 =
        QByteArray::fromHex("62706c6973743030d10102516b650047007200fc00df0065080b0d000000000000"
                            "0101000000000000000300000000000000000000000000000018");
    EXPECT_FALSE(PropertyList::fromData(withNul));
    const std::optional<QVariant> value = PropertyList::fromData(utf16);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->toMap().value(QStringLiteral("k")).toString(), QStringLiteral("Grüße"));
}

TEST(PropertyList, UnreadableOrTooDeepInputYieldsNoValue)
{
    const int levels = PropertyList::maximumDepth + 10;
    const QList<QByteArray> bad{
        "<plist version=\"1.0\">" + QByteArray("<array>").repeated(levels) +
            QByteArray("</array>").repeated(levels) + "</plist>",
        QByteArray(),
        QByteArray("garbage that is no property list"),
        QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>"),
        QByteArray("<plist><dict><key>a</key><integer>1</integer></plist>"),
        QByteArray("bplist00\xff\xff\xff", 11),
        QByteArray(4096, '\0'),
    };
    for (const QByteArray &data : bad)
        EXPECT_FALSE(PropertyList::fromData(data)) << data.left(40).toStdString();
}

} // namespace
