#include "HostScript.h"
#include "SurfaceReplyDecoder.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// Names are packed seven bits to a byte, most significant first: "Synth 1" fills eight groups.
TEST(HostScript, EachCommandBecomesTheHostsMessage)
{
    const std::pair<const char *, const char *> lines[] = {
        {"track-name Bass", "f07d000021182e3718f7"},
        {"device-name \"Synth 1\"  # the first", "f07d0003295e2d6723204031f7"},
        {"send-name 1 A", "f07d0002012040f7"},
        {"send-name 0 \"\"", "f07d000200f7"},
        {"param-name 7 A", "f07d000a072040f7"},
        {"pan-name A", "f07d00052040f7"},
        {"track-color 127 0 64", "f07d00017f0040f7"},
        {"device-color 1 2 3", "f07d0004010203f7"},
        {"fader 3 0.5", "eb7f3f"},
        {"fader 0 1", "e87f7f"},
        {"strip-fader 5 0", "e50000"},
        {"param-type 2 5", "b01605"},
        {"bank 0", "b01f00"},
        {"solo on", "b0017f"},
        {"mute off", "b00200"},
        {"has-device 1", "b00301"},
        {"device-on on", "b00b7f"},
        {"color-mode on", "b01c7f"},
        {"button-mode off", "b01d00"},
        {"bank-mode on", "b01e7f"},
        {"raw F0 7d 00 03 f7", "f07d0003f7"}};
    for (const auto &[line, bytes] : lines) {
        QString error;
        const auto step = HostScript::parseLine(QString::fromUtf8(line), &error);
        ASSERT_TRUE(step) << line << ": " << error.toStdString();
        EXPECT_EQ(step->messages, QList<QByteArray>{hex(bytes)}) << line;
    }
}

TEST(HostScript, ReadsWaitsCommentsBlankLinesAndQuotedWords)
{
    const auto steps = HostScript::parse("# a host\n\nbank 7\nwait 250\n  mute on  \n");
    ASSERT_TRUE(steps);
    ASSERT_EQ(steps->size(), 3);
    EXPECT_EQ(steps->at(1).waitMilliseconds, 250);
    EXPECT_EQ(steps->at(2).messages, QList<QByteArray>{hex("b0027f")});
    EXPECT_EQ(HostScript::words(QStringLiteral(R"(a "b c" "d\"e" "" f#g)")),
              (QStringList{"a", "b c", "d\"e", "", "f"}));
    EXPECT_EQ(HostScript::words("\"x"), std::nullopt);
}

TEST(HostScript, NamesTheLineItCannotRead)
{
    for (const char *bad :
         {"fader 8 0.5", "fader 0 1.5", "fader 0 nan", "strip-fader 6 0", "track-color 128 0 0",
          "track-color 1 2", "send-name x A", "track-name", "bank -1", "solo maybe", "raw", "raw 100",
          "raw zz", "wait", "wait -5", "explode", "track-name \"open"}) {
        QString error;
        EXPECT_FALSE(HostScript::parse("bank 1\n" + QString::fromUtf8(bad), &error)) << bad;
        EXPECT_TRUE(error.startsWith("line 2: ")) << bad << ": " << error.toStdString();
    }
}

TEST(SurfaceReplyDecoder, ReadsRepliesAsTheBankAndStripMeanThem)
{
    const std::pair<const char *, const char *> replies[] = {{"e80040", "bank fader 0 value 8192 (0.500)"},
                                                             {"ef7f7f", "bank fader 7 value 16383 (1.000)"},
                                                             {"e50000", "strip fader 5 value 0 (0.000)"},
                                                             {"b0327f", "bank fader 0 touch 127"},
                                                             {"b03900", "bank fader 7 touch 0"},
                                                             {"b02d7f", "strip fader 5 touch 127"},
                                                             {"b0017f", "strip solo 127"},
                                                             {"b00200", "strip mute 0"},
                                                             {"b00401", "strip device 1"},
                                                             {"b00a7f", "bank previous 127"},
                                                             {"b00b7f", "bank next 127"},
                                                             {"e60040", "other e6 00 40"},
                                                             {"b10a7f", "other b1 0a 7f"},
                                                             {"b00c7f", "other b0 0c 7f"},
                                                             {"903c64", "other 90 3c 64"},
                                                             {"f07d00f7", "other f0 7d 00 f7"},
                                                             {"", "other "}};
    for (const auto &[bytes, text] : replies)
        EXPECT_EQ(SurfaceReplyDecoder::describe(hex(bytes)).toStdString(), text) << bytes;
}

} // namespace
