#include "MidiByteStream.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QList<QByteArray> feed(MidiByteStream &stream, const QList<QByteArray> &chunks)
{
    QList<QByteArray> out;
    for (const QByteArray &chunk : chunks)
        out.append(stream.append(chunk));
    return out;
}

struct Case {
    const char *name;
    QList<QByteArray> chunks;
    QList<QByteArray> messages;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class MidiByteStreamCases : public ::testing::TestWithParam<Case> {};

TEST_P(MidiByteStreamCases, CutsTheStreamIntoMessages)
{
    MidiByteStream stream;
    EXPECT_EQ(feed(stream, GetParam().chunks), GetParam().messages);
}

const QByteArray longBody(300, '\x55');

INSTANTIATE_TEST_SUITE_P(
    Chunks, MidiByteStreamCases,
    ::testing::Values(
        Case{"voice_messages_in_one_chunk",
             {hex("903c64b00764e00040c005")},
             {hex("903c64"), hex("b00764"), hex("e00040"), hex("c005")}},
        Case{"message_split_between_chunks", {hex("90"), hex("3c"), hex("64")}, {hex("903c64")}},
        Case{"sysex_split_over_three_chunks",
             {hex("f07d0003"), longBody, hex("20f7")},
             {hex("f07d0003") + longBody + hex("20f7")}},
        Case{"running_status",
             {hex("903c64"), hex("3e00"), hex("4040")},
             {hex("903c64"), hex("903e00"), hex("904040")}},
        Case{"realtime_inside_sysex_and_voice",
             {hex("f07df8"), hex("01f7"), hex("90fe3c64")},
             {hex("f8"), hex("f07d01f7"), hex("fe"), hex("903c64")}},
        Case{"system_common_lengths",
             {hex("f101f20203f303f6")},
             {hex("f101"), hex("f20203"), hex("f303"), hex("f6")}},
        Case{"system_common_cancels_running_status",
             {hex("b00764f6"), hex("0801")},
             {hex("b00764"), hex("f6")}},
        Case{"data_without_status_is_dropped", {hex("3c64903c64")}, {hex("903c64")}},
        Case{"sysex_cut_short_by_a_status_is_dropped", {hex("f07d0102"), hex("903c64")}, {hex("903c64")}},
        Case{"stray_end_of_exclusive_is_dropped", {hex("f7b00101")}, {hex("b00101")}},
        Case{"empty_sysex", {hex("f0f7")}, {hex("f0f7")}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MidiByteStream, DropsSysexOverTheBoundAndRecovers)
{
    MidiByteStream stream;
    QByteArray overlong = hex("f0") + QByteArray(MidiByteStream::kMaxSystemExclusiveSize, '\x01') + hex("f7");
    EXPECT_TRUE(stream.append(overlong).isEmpty());
    EXPECT_EQ(stream.append(hex("f00102f7")), QList<QByteArray>{hex("f00102f7")});
}

TEST(MidiByteStream, ResetForgetsPartialMessagesAndRunningStatus)
{
    MidiByteStream stream;
    stream.append(hex("f07d0102"));
    stream.reset();
    EXPECT_TRUE(stream.append(hex("03f7")).isEmpty());
    stream.append(hex("903c64"));
    stream.reset();
    EXPECT_TRUE(stream.append(hex("3c00")).isEmpty());
}

} // namespace
