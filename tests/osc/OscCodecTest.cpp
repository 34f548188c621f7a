#include "osc/Bundle.h"
#include "osc/Message.h"
#include "osc/MessageView.h"
#include "osc/PacketDestination.h"
#include "osc/Parser.h"
#include "osc/TimeTag.h"

#include <QTimeZone>

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
    const struct {
        QVariantList arguments;
        QByteArray tags, payload;
    } cases[] = {
        {{-2, 2.5, QStringLiteral("héllo"), QByteArray("\x01\x02\x03\x04\x05", 5)},
         ",ifsb",
         int32(0xfffffffe) + int32(0x40200000) + oscString("h\xc3\xa9llo") + int32(5) +
             bytes({1, 2, 3, 4, 5, 0, 0, 0})},
        // A string of four bytes takes eight: its terminator needs a word of its own.
        {{QStringLiteral("abcd"), QString()}, ",ss", QByteArray("abcd\0\0\0\0", 8) + int32(0)},
        {{QByteArray("abcd"), QByteArray()}, ",bb", int32(4) + "abcd" + int32(0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tags.toStdString());
        EXPECT_EQ(osc::Message(QStringLiteral("/a/b"), c.arguments).packetData().toHex(' '),
                  messageBytes("/a/b", c.tags, c.payload).toHex(' '));
    }
}

TEST(OscMessageDecoding, FindsTheEndAndChecksTheTextOfStringsOfEveryLength)
{
    // Strings are scanned a word at a time: the terminator and a non-ASCII byte must be found
    // wherever they fall within a word.
    for (int length = 0; length <= 9; ++length) {
        const QByteArray text(length, 'a');
        const auto decoded =
            osc::Parser::parseOscMessageData(messageBytes("/" + text, ",si", oscString(text) + int32(7)));
        ASSERT_TRUE(decoded) << length;
        EXPECT_EQ(decoded->addressPattern(), "/" + text);
        EXPECT_EQ(decoded->argumentList(), QVariantList({QString(text), 7}));
        EXPECT_FALSE(osc::Parser::parseOscMessageData(messageBytes("/a", ",s", text))) << length;
        for (int at = 0; at < length; ++at) {
            QByteArray invalid = text;
            invalid[at] = char(0xff);
            EXPECT_FALSE(osc::Parser::parseOscMessageData(messageBytes("/a", ",s", oscString(invalid))))
                << at;
            EXPECT_FALSE(osc::Parser::parseOscMessageData(oscString("/" + invalid))) << at;
            const QByteArray accented = QByteArray(text).replace(at, 1, "\xc3\xa9");
            const auto read = osc::Parser::parseOscMessageData(messageBytes("/a", ",s", oscString(accented)));
            ASSERT_TRUE(read) << at;
            EXPECT_EQ(read->argument(0), QString::fromUtf8(accented));
        }
    }
}

// Senders that predate type tags send the address alone.
TEST(OscMessageDecoding, AnAddressWithoutTypeTagsHasNoArguments)
{
    for (const QByteArray &data : {oscString("/bare"), oscString("/bare") + int32(7)}) {
        const auto message = osc::Parser::parseOscMessageData(data);
        ASSERT_TRUE(message) << data.toHex().toStdString();
        EXPECT_EQ(message->addressPattern(), QStringLiteral("/bare"));
        EXPECT_EQ(message->argumentCount(), 0);
    }
}

TEST(OscMessageDecoding, RejectsTypeTagsOutsideIfsb)
{
    for (const char *tag : {",T", ",F", ",N", ",d", ",h", ",c", ",i?"}) {
        const QByteArray data = messageBytes("/t", tag, int32(1) + int32(2) + int32(3));
        EXPECT_FALSE(osc::Parser::parseOscMessageData(data)) << tag;
    }
}

TEST(OscMessageDecoding, BlobPaddingAndNonAsciiStringsKeepTheNextArgumentAligned)
{
    // "ö€" is 5 bytes of UTF-8 (2 characters): padded to 8, not to 4.
    const QByteArray data = messageBytes("/b", ",bsi",
                                         int32(5) + bytes({1, 2, 3, 4, 5, 0, 0, 0}) +
                                             oscString("\xc3\xb6\xe2\x82\xac") + int32(77));
    const auto message = osc::Parser::parseOscMessageData(data);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->argumentList(), QVariantList({bytes({1, 2, 3, 4, 5}), QString::fromUtf8("ö€"), 77}));
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

QByteArray bundleOf(const QByteArrayList &elements)
{
    return osc::Bundle(osc::TimeTag(5, 6), elements).packetData();
}

QByteArray simple(const char *address, int value)
{
    return osc::Message(QString::fromLatin1(address), {value}).packetData();
}

TEST(OscMessageDecoding, DropsEachKindOfMalformedPacket)
{
    QByteArray wrongBundleTag = bundleOf({simple("/a", 1)});
    wrongBundleTag[1] = 'B';
    const std::vector<std::pair<const char *, QByteArray>> cases = {
        {"nothing", QByteArray()},
        {"foreign first byte", QByteArray("x") + oscString("/a")},
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
        {"bundle without elements", oscString("#bundle") + int32(0) + int32(1)},
        {"bundle with an empty element", oscString("#bundle") + int32(0) + int32(1) + int32(0)},
        {"bundle with a wrong tag", wrongBundleTag},
    };
    for (const auto &[name, data] : cases) {
        EXPECT_FALSE(osc::Parser::parseOscMessageData(data)) << name;
        EXPECT_TRUE(dispatch(data).empty()) << name;
    }
    osc::Parser::processOscData(oscString("/a"), nullptr, {});
}

TEST(OscBundle, WalkDeliversInOrderStopsAtForeignOrOversizedElementsAndCutsDeepNesting)
{
    const QByteArray a = simple("/a", 1);
    const QByteArray nested = bundleOf({simple("/b", 2), simple("/c", 3)});
    QByteArray packet = bundleOf({a, nested, simple("/d", 4)});
    EXPECT_EQ(packet.left(20), oscString("#bundle") + int32(5) + int32(6) + int32(quint32(a.size())));
    QStringList addresses;
    for (const osc::Message &message : dispatch(packet))
        addresses.append(message.addressPattern());
    EXPECT_EQ(addresses, QStringList({"/a", "/b", "/c", "/d"}));

    EXPECT_EQ(dispatch(bundleOf({a, QByteArray("xyzw"), simple("/b", 2)})).size(), 1u);
    packet.replace(16 + 4 + a.size(), 4, int32(1000));
    EXPECT_EQ(dispatch(packet).size(), 1u);

    QByteArray deep = bundleOf({simple("/deep", 1)});
    for (int level = 0; level < 1000; ++level)
        deep = oscString("#bundle") + int32(0) + int32(1) + int32(quint32(deep.size())) + deep;
    EXPECT_TRUE(dispatch(deep).empty());
    QByteArray shallow = bundleOf({simple("/deep", 1)});
    for (int level = 0; level < osc::Parser::maxBundleDepth; ++level)
        shallow = bundleOf({shallow});
    EXPECT_EQ(dispatch(shallow).size(), 1u);
}

TEST(OscTimeTag, ImmediateIsZeroAndOneAndADateCountsFrom1900)
{
    EXPECT_EQ(osc::TimeTag::immediateTimeTag().oscTimeTagData(), int32(0) + int32(1));
    EXPECT_EQ(osc::Bundle().timeTag(), osc::TimeTag::immediateTimeTag());
    // Half a second past 1970 in UTC: 2208988800 seconds, half of the fraction's range (truncated).
    const auto tag = osc::TimeTag::timeTagWithDate(QDateTime::fromMSecsSinceEpoch(500, QTimeZone::utc()));
    EXPECT_EQ(tag.seconds(), 2208988800u);
    EXPECT_EQ(tag.fraction(), 2147483647u);
    EXPECT_EQ(osc::TimeTag::timeTagWithOSCTimeBytes(tag.oscTimeTagData()), tag);
    EXPECT_FALSE(osc::TimeTag::timeTagWithOSCTimeBytes(int32(1)));
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
