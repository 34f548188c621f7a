#include "MidiByteStream.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

TEST(MidiByteStream, CutsTheStreamIntoMessages)
{
    const QByteArray longBody(300, '\x55');
    const struct {
        const char *name;
        QList<QByteArray> chunks;
        QList<QByteArray> messages;
    } cases[] = {
        {"voice messages in one chunk",
         {hex("903c64b00764e00040c005")},
         {hex("903c64"), hex("b00764"), hex("e00040"), hex("c005")}},
        {"message split between chunks", {hex("90"), hex("3c"), hex("64")}, {hex("903c64")}},
        {"sysex split over three chunks",
         {hex("f07d0003"), longBody, hex("20f7")},
         {hex("f07d0003") + longBody + hex("20f7")}},
        {"running status",
         {hex("903c64"), hex("3e00"), hex("4040")},
         {hex("903c64"), hex("903e00"), hex("904040")}},
        {"real-time inside sysex and voice",
         {hex("f07df8"), hex("01f7"), hex("90fe3c64")},
         {hex("f8"), hex("f07d01f7"), hex("fe"), hex("903c64")}},
        {"system common lengths",
         {hex("f101f20203f303f6")},
         {hex("f101"), hex("f20203"), hex("f303"), hex("f6")}},
        {"system common cancels running status", {hex("b00764f6"), hex("0801")}, {hex("b00764"), hex("f6")}},
        {"data without status is dropped", {hex("3c64903c64")}, {hex("903c64")}},
        {"sysex cut short by a status is dropped", {hex("f07d0102"), hex("903c64")}, {hex("903c64")}},
        {"stray end of exclusive is dropped", {hex("f7b00101")}, {hex("b00101")}},
        {"empty sysex", {hex("f0f7")}, {hex("f0f7")}}};
    for (const auto &c : cases) {
        MidiByteStream stream;
        QList<QByteArray> out;
        for (const QByteArray &chunk : c.chunks)
            out.append(stream.append(chunk));
        EXPECT_EQ(out, c.messages) << c.name;
    }
}

TEST(MidiByteStream, DropsSysexOverTheBoundAndResetForgetsPartialMessages)
{
    MidiByteStream stream;
    QByteArray overlong = hex("f0") + QByteArray(MidiByteStream::kMaxSystemExclusiveSize, '\x01') + hex("f7");
    EXPECT_TRUE(stream.append(overlong).isEmpty());
    EXPECT_EQ(stream.append(hex("f00102f7")), QList<QByteArray>{hex("f00102f7")});
    stream.append(hex("f07d0102"));
    stream.reset();
    EXPECT_TRUE(stream.append(hex("03f7")).isEmpty());
    stream.append(hex("903c64"));
    stream.reset();
    EXPECT_TRUE(stream.append(hex("3c00")).isEmpty());
}

} // namespace
