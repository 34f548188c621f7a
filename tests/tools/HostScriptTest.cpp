#include "HostScript.h"
#include "SurfaceEncoder.h"
#include "SurfaceReplyDecoder.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

TEST(SurfaceEncoder, PacksTextMostSignificantBitFirst)
{
    EXPECT_EQ(SurfaceEncoder::packText("A").toHex(), "2040");
    EXPECT_EQ(SurfaceEncoder::packText("Bass").toHex(), "21182e3718");
    // Seven bytes fill eight groups exactly.
    EXPECT_EQ(SurfaceEncoder::packText("Synth 1").toHex(), "295e2d6723204031");
    EXPECT_EQ(SurfaceEncoder::packText("").toHex(), "");
    EXPECT_EQ(SurfaceEncoder::packText("\xff\xff").toHex(), "7f7f60");
}

struct LineCase {
    const char *line;
    QList<QByteArray> messages;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.line;
}

class HostScriptLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(HostScriptLines, BecomeTheHostsMessages)
{
    QString error;
    const auto step = HostScript::parseLine(QString::fromUtf8(GetParam().line), &error);
    ASSERT_TRUE(step) << error.toStdString();
    EXPECT_EQ(step->messages, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HostScriptLines,
    ::testing::Values(LineCase{"track-name Bass", {hex("f07d000021182e3718f7")}},
                      LineCase{"device-name \"Synth 1\"  # the first", {hex("f07d0003295e2d6723204031f7")}},
                      LineCase{"send-name 1 A", {hex("f07d0002012040f7")}},
                      LineCase{"param-name 7 A", {hex("f07d000a072040f7")}},
                      LineCase{"pan-name A", {hex("f07d00052040f7")}},
                      LineCase{"track-color 127 0 64", {hex("f07d00017f0040f7")}},
                      LineCase{"device-color 1 2 3", {hex("f07d0004010203f7")}},
                      LineCase{"fader 3 0.5", {hex("eb7f3f")}}, LineCase{"fader 0 1", {hex("e87f7f")}},
                      LineCase{"strip-fader 5 0", {hex("e50000")}},
                      LineCase{"param-type 2 5", {hex("b01605")}}, LineCase{"bank 0", {hex("b01f00")}},
                      LineCase{"solo on", {hex("b0017f")}}, LineCase{"mute off", {hex("b00200")}},
                      LineCase{"has-device 1", {hex("b00301")}}, LineCase{"device-on on", {hex("b00b7f")}},
                      LineCase{"color-mode on", {hex("b01c7f")}},
                      LineCase{"button-mode off", {hex("b01d00")}}, LineCase{"bank-mode on", {hex("b01e7f")}},
                      LineCase{"raw F0 7d 00 03 f7", {hex("f07d0003f7")}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST(HostScript, ReadsWaitsCommentsAndBlankLines)
{
    const auto steps = HostScript::parse(QStringLiteral("# a host\n\nbank 7\nwait 250\n  mute on  \n"));
    ASSERT_TRUE(steps);
    ASSERT_EQ(steps->size(), 3);
    EXPECT_EQ(steps->at(1).waitMilliseconds, 250);
    EXPECT_TRUE(steps->at(1).messages.isEmpty());
    EXPECT_EQ(steps->at(2).messages, QList<QByteArray>{hex("b0027f")});
}

TEST(HostScript, NamesTheLineItCannotRead)
{
    for (const char *bad :
         {"fader 8 0.5", "fader 0 1.5", "fader 0 nan", "strip-fader 6 0", "track-color 128 0 0",
          "track-color 1 2", "send-name x A", "track-name", "bank -1", "solo maybe", "raw", "raw 100",
          "raw zz", "wait", "wait -5", "explode", "track-name \"open"}) {
        QString error;
        EXPECT_FALSE(HostScript::parse(QStringLiteral("bank 1\n") + QString::fromUtf8(bad), &error)) << bad;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line 2: "))) << bad << ": " << error.toStdString();
    }
}

TEST(HostScript, SplitsQuotedWordsWithEscapes)
{
    EXPECT_EQ(HostScript::words(QStringLiteral(R"(a "b c" "d\"e" "" f#g)")),
              (QStringList{"a", "b c", "d\"e", "", "f"}));
    EXPECT_EQ(HostScript::words(QStringLiteral("\"x")), std::nullopt);
}

struct ReplyCase {
    const char *bytes;
    const char *text;
};

void PrintTo(const ReplyCase &c, std::ostream *os)
{
    *os << c.bytes;
}

class SurfaceReplies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(SurfaceReplies, ReadAsTheBankAndStripMeanThem)
{
    EXPECT_EQ(SurfaceReplyDecoder::describe(hex(GetParam().bytes)).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SurfaceReplies,
    ::testing::Values(ReplyCase{"e80040", "bank fader 0 value 8192 (0.500)"},
                      ReplyCase{"ef7f7f", "bank fader 7 value 16383 (1.000)"},
                      ReplyCase{"e50000", "strip fader 5 value 0 (0.000)"},
                      ReplyCase{"b0327f", "bank fader 0 touch 127"},
                      ReplyCase{"b03900", "bank fader 7 touch 0"},
                      ReplyCase{"b02d7f", "strip fader 5 touch 127"}, ReplyCase{"b0017f", "strip solo 127"},
                      ReplyCase{"b00200", "strip mute 0"}, ReplyCase{"b00401", "strip device 1"},
                      ReplyCase{"b00a7f", "bank previous 127"}, ReplyCase{"b00b7f", "bank next 127"},
                      ReplyCase{"e60040", "other e6 00 40"}, ReplyCase{"b10a7f", "other b1 0a 7f"},
                      ReplyCase{"b00c7f", "other b0 0c 7f"}, ReplyCase{"903c64", "other 90 3c 64"},
                      ReplyCase{"f07d00f7", "other f0 7d 00 f7"}, ReplyCase{"", "other "}),
    [](const auto &info) { return std::to_string(info.index); });

} // namespace
