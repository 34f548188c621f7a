#include "MackieHostScript.h"
#include "HostScript.h"
#include "MackieReplyDecoder.h"

#include <gtest/gtest.h>

namespace {

const HostScript::Commands mackie = MackieHostScript::message;

TEST(MackieHostScript, EachCommandBecomesTheHostsMessage)
{
    const std::pair<const char *, const char *> lines[] = {
        {"query", "f00000661400f7"},
        {"lcd 1 Snare", "f000006614 12 07 536e6172652020 f7"},
        {"lcd 7 \"Too long a name\"", "f000006614 12 31 546f6f206c6f6e f7"},
        {"lcd-lower 0 -3.5", "f000006614 12 38 2d332e35202020 f7"},
        {"fader 3 0.5", "e37f3f"},
        {"fader 0 1", "e07f7f"},
        {"select 2 on", "901a7f"},
        {"solo 0 off", "900800"},
        {"mute 7 1", "901701"},
        {"ring 4 6", "b03406"},
        {"assignment 12", "b04b31b04a32"},
        {"assignment a", "b04b20b04a01"},
        {"meter 2 15", "d02f"},
        {"raw 90 5e 7f", "905e7f"}};
    for (const auto &[line, bytes] : lines) {
        QString error;
        const auto step = HostScript::parseLine(QString::fromUtf8(line), &error, mackie);
        ASSERT_TRUE(step) << line << ": " << error.toStdString();
        EXPECT_EQ(step->messages, QList<QByteArray>{QByteArray::fromHex(bytes)}) << line;
    }
}

TEST(MackieHostScript, NamesTheLineItCannotRead)
{
    for (const char *bad : {"lcd 8 A", "lcd 0", "fader 0 2", "select 9 on", "solo 0 maybe", "ring 0 12",
                            "assignment abc", "assignment ~", "meter 0 16", "query 1", "bank 1", "raw"}) {
        QString error;
        EXPECT_FALSE(HostScript::parse("query\n" + QString::fromUtf8(bad), &error, mackie)) << bad;
        EXPECT_TRUE(error.startsWith("line 2: ")) << bad << ": " << error.toStdString();
    }
}

TEST(MackieReplyDecoder, ReadsWhatStripdeckSends)
{
    const std::pair<const char *, const char *> replies[] = {
        {"e30040", "fader 3 value 8192 (0.500)"},
        {"906a7f", "fader 2 touch 127"},
        {"906f00", "fader 7 touch 0"},
        {"900b7f", "solo 3 127"},
        {"901000", "mute 0 0"},
        {"902e7f", "bank left 127"},
        {"902f00", "bank right 0"},
        {"b0130a", "pan 3 right 10"},
        {"b01643", "pan 6 left 3"},
        {"f000006614 01 534445434b3031 01020304 f7", "connection query serial SDECK01"},
        {"f00000661403534445434b3031f7", "connection confirmation serial SDECK01"},
        {"e87f7f", "other e8 7f 7f"},
        {"905e7f", "other 90 5e 7f"},
        {"f000006614f7", "other f0 00 00 66 14 f7"},
        {"", "other "}};
    for (const auto &[bytes, text] : replies)
        EXPECT_EQ(MackieReplyDecoder::describe(QByteArray::fromHex(bytes)).toStdString(), text) << bytes;
}

} // namespace
