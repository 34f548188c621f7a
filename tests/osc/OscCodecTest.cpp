#include "osc/Bundle.h"
#include "osc/Message.h"
#include "osc/MessageView.h"
#include "osc/PacketDestination.h"
#include "osc/Parser.h"
#include "osc/TimeTag.h"
#include "osc/Wire.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder : osc::PacketDestination {
    void takeMessage(const osc::Message &message) override { messages.push_back(message); }
    std::vector<osc::Message> messages;
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray data;
    for (const int value : values)
        data.append(char(value));
    return data;
}

// Hand-built wire form, independent of the encoder under test.
QByteArray oscString(const QByteArray &text)
{
    QByteArray data = text;
    data.append('\0');
    while (data.size() % 4)
        data.append('\0');
    return data;
}

QByteArray int32(quint32 value)
{
    return bytes({int(value >> 24), int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff)});
}

QByteArray messageBytes(const QByteArray &address, const QByteArray &tags, const QByteArray &payload)
{
    return oscString(address) + oscString(tags) + payload;
}

std::vector<osc::Message> dispatch(const QByteArray &data)
{
    Recorder recorder;
    osc::Parser::processOscData(data, &recorder, {});
    return recorder.messages;
}

TEST(OscMessageEncoding, WritesTheWireFormByteForByte)
{
    const osc::Message message(QStringLiteral("/a/b"),
                               {-2, 2.5, QStringLiteral("héllo"), QByteArray("\x01\x02\x03\x04\x05", 5)});
    const QByteArray expected =
        messageBytes("/a/b", ",ifsb",
                     int32(0xfffffffe) + int32(0x40200000) + oscString("h\xc3\xa9llo") + int32(5) +
                         bytes({1, 2, 3, 4, 5, 0, 0, 0}));
    EXPECT_EQ(message.packetData().toHex(' '), expected.toHex(' '));
}

TEST(OscMessageEncoding, StringsOfFourBytesTakeEight)
{
    EXPECT_EQ(osc::Wire::oscStringData(u"abcd"), QByteArray("abcd\0\0\0\0", 8));
    EXPECT_EQ(osc::Wire::oscStringData(u""), QByteArray(4, '\0'));
    EXPECT_EQ(osc::Wire::oscBlobData(QByteArray("abcd")), int32(4) + "abcd");
    EXPECT_EQ(osc::Wire::oscBlobData(QByteArray()), int32(0));
}

TEST(OscMessageEncoding, StringEndsAtAnEmbeddedZeroSoLaterArgumentsStayAligned)
{
    const osc::Message message(QStringLiteral("/z"), {QStringLiteral("ab\u0000cdefgh"), 5});
    const auto decoded = osc::Parser::parseOscMessageData(message.packetData());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->argumentList(), QVariantList({QStringLiteral("ab"), 5}));
}

TEST(OscMessageEncoding, KeepsOnlyValuesWithATag)
{
    osc::Message message;
    message.setArguments({QVariant(uint(7)), QStringLiteral("s"), QDate(2020, 1, 1), QVariant(true),
                          qint64(1) << 32 | 5, QVariant(float(0.5)), QVariantList{1}, QByteArray("b")});
    EXPECT_EQ(message.typeTagString(), QStringLiteral(",siifb"));
    // 64-bit integers are truncated to 32 bits, doubles narrowed to float.
    const auto decoded = osc::Parser::parseOscMessageData(message.packetData());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->arguments().at(2).toInt(), 5);
    EXPECT_EQ(decoded->arguments().at(1).toInt(), 1);
}

TEST(OscMessageEncoding, AddressMustStartWithSlash)
{
    osc::Message message(QStringLiteral("/ok"), {});
    for (const QString &bad : {QString(), QStringLiteral("ok"), QStringLiteral(" /x")}) {
        message.setAddressPattern(bad);
        EXPECT_EQ(message.addressPattern(), QStringLiteral("/ok"));
    }
    EXPECT_EQ(osc::Message().addressPattern(), QStringLiteral("/"));
    EXPECT_EQ(osc::Message().typeTagString(), QStringLiteral(","));
}

TEST(OscMessageEncoding, AddressParts)
{
    EXPECT_EQ(osc::Message(QStringLiteral("/mixer/fader1"), {}).addressParts(),
              QStringList({QStringLiteral("mixer"), QStringLiteral("fader1")}));
    EXPECT_EQ(osc::Message().addressParts(), QStringList({QString()}));
}

TEST(OscMessageDecoding, RoundTripsEveryArgumentShape)
{
    const std::vector<QVariantList> cases = {
        {},
        {0},
        {INT_MIN, INT_MAX},
        {-1.5, 0.0, 1e-30},
        {QString()},
        {QStringLiteral("abc"), QStringLiteral("abcd"), QStringLiteral("Grüße 🎚")},
        {QByteArray(), QByteArray(1, 'x'), QByteArray(4, 'y'), QByteArray(5, '\0'),
         QByteArray(7, char(0xc0))},
        {1, QStringLiteral("mixed"), 0.25, QByteArray("\xdb\xdc", 2)},
    };
    for (const QVariantList &arguments : cases) {
        const osc::Message message(QStringLiteral("/r/t"), arguments);
        const auto decoded = osc::Parser::parseOscMessageData(message.packetData());
        ASSERT_TRUE(decoded) << message.description().toStdString();
        // Compared as bytes: doubles come back as the floats they were narrowed to.
        EXPECT_EQ(decoded->packetData(), message.packetData()) << decoded->description().toStdString();
        EXPECT_EQ(decoded->addressPattern(), message.addressPattern());
        EXPECT_EQ(decoded->typeTagString(), message.typeTagString());
    }
}

TEST(OscMessageDecoding, AddressOnlyHasNoArguments)
{
    const auto messages = dispatch(oscString("/only"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].addressPattern(), QStringLiteral("/only"));
    EXPECT_TRUE(messages[0].arguments().isEmpty());
}

TEST(OscMessageDecoding, RejectsTypeTagsOutsideIfsb)
{
    for (const char *tag : {",T", ",F", ",N", ",d", ",h", ",c", ",i?"}) {
        const QByteArray data = messageBytes("/t", tag, int32(1) + int32(2) + int32(3));
        EXPECT_FALSE(osc::Parser::parseOscMessageData(data)) << tag;
    }
}

TEST(OscMessageDecoding, BlobIsPaddedAndNextArgumentAligned)
{
    const QByteArray data = messageBytes("/b", ",bi", int32(5) + bytes({1, 2, 3, 4, 5, 0, 0, 0}) + int32(77));
    const auto message = osc::Parser::parseOscMessageData(data);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->arguments().at(0).toByteArray(), bytes({1, 2, 3, 4, 5}));
    EXPECT_EQ(message->arguments().at(1).toInt(), 77);
}

TEST(OscMessageDecoding, NonAsciiStringAdvancesByItsUtf8Length)
{
    // "ö€" is 5 bytes of UTF-8 (2 characters): padded to 8, not to 4.
    const QByteArray data = messageBytes("/s", ",si", oscString("\xc3\xb6\xe2\x82\xac") + int32(9));
    const auto message = osc::Parser::parseOscMessageData(data);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->arguments().at(0).toString(), QString::fromUtf8("ö€"));
    EXPECT_EQ(message->arguments().at(1).toInt(), 9);
}

TEST(OscMessageDecoding, ViewReadsEveryValueInPlace)
{
    const QByteArray data = messageBytes(
        "/v", ",sbfi", oscString("hi") + int32(3) + bytes({7, 8, 9, 0}) + int32(0x3f000000) + int32(-2));
    const auto view = osc::MessageView::fromData(data);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->address(), "/v");
    EXPECT_EQ(view->typeTags(), "sbfi");
    const auto inPacket = [&data](QByteArrayView value) {
        return value.data() >= data.constData() && value.data() + value.size() <= data.constEnd();
    };
    std::vector<osc::MessageView::Argument> arguments(view->begin(), view->end());
    ASSERT_EQ(arguments.size(), 4u);
    EXPECT_EQ(arguments[0].text(), "hi");
    EXPECT_TRUE(inPacket(arguments[0].text()));
    EXPECT_EQ(arguments[1].blob(), bytes({7, 8, 9}));
    EXPECT_TRUE(inPacket(arguments[1].blob()));
    EXPECT_EQ(arguments[2].toFloat(), 0.5f);
    EXPECT_EQ(arguments[3].toInt(), -2);
}

TEST(OscMessageDecoding, DropsEachKindOfMalformedMessage)
{
    const std::vector<std::pair<const char *, QByteArray>> cases = {
        {"address without terminator", QByteArray("/abc")},
        {"address padding cut off", QByteArray("/abc\0", 5)},
        {"address without slash", oscString("abc")},
        {"tag string without terminator", oscString("/a") + ",iii"},
        {"int cut short", messageBytes("/a", ",i", bytes({0, 0}))},
        {"float missing", messageBytes("/a", ",f", {})},
        {"string without terminator", messageBytes("/a", ",s", "abcd")},
        {"invalid UTF-8", messageBytes("/a", ",s", oscString("\xff\xfe"))},
        {"invalid UTF-8 address", oscString("/\xc3")},
        {"blob longer than the packet", messageBytes("/a", ",b", int32(9) + "abcd")},
        {"blob size that wraps", messageBytes("/a", ",b", int32(0xfffffffc) + "abcd")},
        {"blob size cut short", messageBytes("/a", ",b", bytes({0, 0, 1}))},
    };
    for (const auto &[name, data] : cases) {
        EXPECT_FALSE(osc::Parser::parseOscMessageData(data)) << name;
        EXPECT_TRUE(dispatch(data).empty()) << name;
    }
}

TEST(OscDispatch, IgnoresEmptyDataForeignBytesAndMissingDestination)
{
    EXPECT_TRUE(dispatch({}).empty());
    EXPECT_TRUE(dispatch(QByteArray("x") + oscString("/a")).empty());
    osc::Parser::processOscData(oscString("/a"), nullptr, {});
}

QByteArray bundleOf(const QByteArrayList &elements)
{
    return osc::Bundle(osc::TimeTag(5, 6), elements).packetData();
}

QByteArray simple(const char *address, int value)
{
    return osc::Message(QString::fromLatin1(address), {value}).packetData();
}

TEST(OscBundle, WritesTagTimeAndSizedElements)
{
    const QByteArray element = simple("/x", 1);
    EXPECT_EQ(bundleOf({element}),
              oscString("#bundle") + int32(5) + int32(6) + int32(quint32(element.size())) + element);
}

TEST(OscBundle, DeliversElementsAndNestedBundlesInOrder)
{
    const QByteArray nested = bundleOf({simple("/b", 2), simple("/c", 3)});
    const auto messages = dispatch(bundleOf({simple("/a", 1), nested, simple("/d", 4)}));
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].addressPattern(), QStringLiteral("/a"));
    EXPECT_EQ(messages[1].addressPattern(), QStringLiteral("/b"));
    EXPECT_EQ(messages[2].addressPattern(), QStringLiteral("/c"));
    EXPECT_EQ(messages[3].arguments().at(0).toInt(), 4);
}

TEST(OscBundle, WalkStopsAtForeignOrOversizedElement)
{
    const QByteArray foreign = bundleOf({simple("/a", 1), QByteArray("xyzw"), simple("/b", 2)});
    ASSERT_EQ(dispatch(foreign).size(), 1u);

    QByteArray oversized = bundleOf({simple("/a", 1), simple("/b", 2)});
    const qsizetype secondSize = 16 + 4 + simple("/a", 1).size();
    oversized.replace(secondSize, 4, int32(1000));
    ASSERT_EQ(dispatch(oversized).size(), 1u);
}

TEST(OscBundle, DropsBundlesWithoutElementsOrWrongTag)
{
    EXPECT_TRUE(dispatch(oscString("#bundle") + int32(0) + int32(1)).empty());
    EXPECT_TRUE(dispatch(oscString("#bundle") + int32(0) + int32(1) + int32(0)).empty());
    QByteArray wrongTag = bundleOf({simple("/a", 1)});
    wrongTag[1] = 'B';
    EXPECT_TRUE(dispatch(wrongTag).empty());
}

TEST(OscBundle, DeepNestingIsCutOffInsteadOfExhaustingTheStack)
{
    QByteArray packet = bundleOf({simple("/deep", 1)});
    for (int level = 0; level < 1000; ++level)
        packet = oscString("#bundle") + int32(0) + int32(1) + int32(quint32(packet.size())) + packet;
    EXPECT_TRUE(dispatch(packet).empty());

    QByteArray shallow = bundleOf({simple("/deep", 1)});
    for (int level = 0; level < osc::Parser::maxBundleDepth; ++level)
        shallow = bundleOf({shallow});
    EXPECT_EQ(dispatch(shallow).size(), 1u);
}

TEST(OscTimeTag, FromDateImmediateAndBytes)
{
    const auto date = QDateTime::fromMSecsSinceEpoch(500, Qt::UTC);
    const osc::TimeTag tag = osc::TimeTag::timeTagWithDate(date);
    EXPECT_EQ(tag.seconds(), 2208988800u);
    EXPECT_EQ(tag.fraction(), 2147483647u);
    EXPECT_EQ(osc::TimeTag::immediateTimeTag(), osc::TimeTag(0, 1));
    EXPECT_EQ(osc::Bundle().timeTag(), osc::TimeTag(0, 1));
    EXPECT_EQ(osc::TimeTag::timeTagWithOSCTimeBytes(tag.oscTimeTagData()), tag);
    EXPECT_FALSE(osc::TimeTag::timeTagWithOSCTimeBytes(QByteArray(7, '\0')));
}

TEST(OscMessageArchive, KeepsAddressAndArgumentsButNotUserData)
{
    osc::Message message(QStringLiteral("/arch"), {1, QStringLiteral("two")});
    message.setUserData(42);
    const auto restored = osc::Message::unarchive(message.archive());
    ASSERT_TRUE(restored);
    EXPECT_EQ(*restored, message);
    EXPECT_EQ(message.archive().value(QStringLiteral("typeTagString")).toString(), QStringLiteral(",is"));
    EXPECT_FALSE(restored->userData().isValid());
    EXPECT_FALSE(osc::Message::unarchive({{QStringLiteral("addressPattern"), QStringLiteral("x")}}));
}

} // namespace
