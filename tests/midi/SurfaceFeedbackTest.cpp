#include "SurfaceEncoder.h"
#include "SurfaceRig.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

QByteArray sysex(int command, const QByteArray &arguments = {})
{
    return QByteArray::fromHex("f07d00") + char(command) + arguments + char(0xF7);
}

QByteArray text(int command, const char *name)
{
    return sysex(command, SurfaceEncoder::packText(name));
}

QByteArray indexedText(int command, int index, const char *name)
{
    return sysex(command, char(index) + SurfaceEncoder::packText(name));
}

// A text whose length is not a multiple of seven comes out with the zero byte of its last,
// partial group.
QString withPadding(const QString &text)
{
    return text + QChar(0);
}

using State = QMap<QString, QString>;

// Everything surface input may change, by name.
State state(const SurfaceRig &rig)
{
    const auto &bank = rig.m_bank;
    const auto &strip = rig.m_strip;
    const auto number = [](auto value) { return QString::number(value, 'g', 9); };
    State s{{"channel", strip.getChannelName()},
            {"pan", strip.getPanName()},
            {"device", strip.getDeviceName()},
            {"hasDevice", number(strip.hasDevice())},
            {"deviceColor", strip.getDeviceColor().name(QColor::HexArgb)},
            {"solo", number(strip.getSoloButtonValue())},
            {"mute", number(strip.getMuteButtonValue())},
            {"bankNumber", bank.getBankNumber()},
            {"deviceOn", number(bank.getDeviceOnValue())},
            {"bankMode", number(bank.getBankMode())},
            {"buttonMode", number(bank.getButtonMode())},
            {"colorMode", number(bank.getColorMode())},
            {"trackColor", rig.m_feedback.currentTrackColor().name(QColor::HexArgb)},
            {"currentDeviceColor", rig.m_feedback.currentDeviceColor().name(QColor::HexArgb)},
            {"popUpsClosed", number(rig.m_popUpsClosed)}};
    for (int send = 0; send < controlStripTouchbarItem::sendCount; ++send)
        s.insert(QString("send %1").arg(send), strip.getNameForSend(send));
    for (int f = 0; f < controlStripTouchbarItem::faderCount; ++f)
        s.insert(QString("strip fader %1").arg(f), number(strip.getValueForFader(f)));
    for (int f = 0; f < eightFaderTouchbarItem::faderCount; ++f) {
        s.insert(QString("bank fader %1").arg(f), number(bank.getValueForFader(f)));
        s.insert(QString("name %1").arg(f), bank.getParameterName(f));
        s.insert(QString("type %1").arg(f), bank.getParameterTypes().value(f));
    }
    return s;
}

struct Row {
    QByteArray bytes;
    State changes; // none: the message changes nothing
};

// Plays the rows in order on one rig; each changes exactly what it names.
void play(SurfaceRig &rig, const QList<Row> &rows)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.bytes.toHex().toStdString());
        State expected = state(rig);
        expected.insert(row.changes);
        ASSERT_TRUE(rig.surface(row.bytes));
        EXPECT_EQ(state(rig), expected);
    }
}

TEST(SurfaceFeedbackTest, EachSurfaceMessageChangesExactlyWhatItNames)
{
    SurfaceRig rig;
    rig.m_strip.hasDevice(true);
    QList<Row> rows{
        {text(0, "Drums"), {{"channel", withPadding("Drums")}}},
        {indexedText(2, 1, "Reverb"), {{"send 1", withPadding("Reverb")}}},
        {text(3, "EQ Ei"), {{"device", withPadding("EQ Ei")}}},
        {text(5, "Balance"), {{"pan", "Balance"}}}, // seven bytes: one whole group, no padding
        {indexedText(10, 3, "Cutoff"), {{"name 3", withPadding("Cutoff")}}},
        {sysex(0), {{"channel", ""}}}, // an empty text is still a text
        {sysex(10, QByteArray(1, char(3))), {{"name 3", ""}}},
        // Indexes beyond the items, and unassigned commands.
        {indexedText(2, 4, "Fifth"), {}},
        {indexedText(10, 8, "Ninth"), {}},
        {indexedText(10, 0x7F, "Far"), {}},
        {QByteArray::fromHex("b00141"), {{"solo", "65"}}},
        {QByteArray::fromHex("b0027f"), {{"mute", "127"}}},
        {QByteArray::fromHex("b00b41"), {{"deviceOn", "1"}}},
        {QByteArray::fromHex("b00b40"), {{"deviceOn", "0"}}},
        {QByteArray::fromHex("b01c05"), {{"colorMode", "2"}}},
        {QByteArray::fromHex("b01d40"), {{"buttonMode", "1"}}},
        {QByteArray::fromHex("b01f07"), {{"bankNumber", "7"}}},
        {QByteArray::fromHex("b01f00"), {{"bankNumber", "-"}}},
        {QByteArray::fromHex("b01e01"), {{"bankMode", "1"}, {"bankNumber", "\u2B06\uFE0E"}}},
        // No device closes the pop-up.
        {QByteArray::fromHex("b00300"),
         {{"hasDevice", "0"}, {"device", "<no Device>"}, {"popUpsClosed", "1"}}},
        {QByteArray::fromHex("eb7f7f"), {{"bank fader 3", "1"}}},
    };
    for (int command : {6, 7, 8, 9, 11, 12, 0x7F})
        rows.append({text(command, "Ignored"), {}});
    // Each body is one byte short of what its command reads.
    for (const char *hex : {"f0f7", "f07df7", "f07d00f7", "f07d0001", "f07d00017f7ff7", "f07d00047f7ff7",
                            "f07d0002f7", "f07d000af7", "f07d000a", "f0"})
        rows.append({QByteArray::fromHex(hex), {}});
    // Bank faders 0 … 7 on channels 9 … 16, strip faders 0 … 5 on channels 1 … 6.
    for (int channel = 1; channel <= 16; ++channel) {
        const int msb = channel * 5;
        const int lsb = 100 - channel;
        const QString fader = channel >= 9   ? QString("bank fader %1").arg(channel - 9)
                              : channel <= 6 ? QString("strip fader %1").arg(channel - 1)
                                             : QString();
        const QString value = QString::number(float(lsb | msb << 7) / 16383.0f, 'g', 9);
        rows.append(
            {bytes({0xE0 + channel - 1, lsb, msb}), fader.isEmpty() ? State{} : State{{fader, value}}});
    }
    for (int controller = 20; controller <= 27; ++controller)
        rows.append({bytes({0xB0, controller, controller - 18}),
                     {{QString("type %1").arg(controller - 20), QString::number(controller - 18)}}});
    for (int controller : {0, 4, 5, 10, 12, 19, 32, 50, 127})
        rows.append({bytes({0xB0, controller, 0x7F}), {}});
    for (const char *hex : {"b10100", "b1037f", "b11f07", "bf1c7f", "e67f7f", "e77f7f", "903c7f", "803c00",
                            "c005", "d040", "a03c40", "f8", "fa", ""})
        rows.append({QByteArray::fromHex(hex), {}});
    play(rig, rows);

    // Colours reach the strip and the bank; components above the protocol's 127 stay valid.
    QSignalSpy bankColours(&rig.m_bank, &eightFaderTouchbarItem::onColorChanged);
    rig.m_strip.hasDevice(true);
    rig.surface(sysex(1, QByteArray::fromHex("7f4000")));
    rig.surface(sysex(4, QByteArray::fromHex("00207f")));
    EXPECT_EQ(rig.m_feedback.currentTrackColor(), QColor::fromRgbF(1.0f, 64 / 127.0f, 0.0f, 1.0f));
    EXPECT_EQ(rig.m_strip.getDeviceColor(), QColor::fromRgbF(0.0f, 32 / 127.0f, 1.0f, 1.0f));
    ASSERT_EQ(bankColours.count(), 1);
    EXPECT_EQ(bankColours.at(0).at(0).value<QColor>(), QColor::fromRgbF(0.0f, 32 / 127.0f, 1.0f, 1.0f));
    rig.surface(QByteArray::fromHex("f07d0001ff8000f7"));
    EXPECT_EQ(rig.m_feedback.currentTrackColor(), QColor::fromRgbF(1, 1, 0, 1));
}

TEST(ConvertDataToUTF8, UnpacksSevenBitGroups)
{
    const struct {
        const char *name;
        QByteArray packedBytes;
        QString text;
    } cases[] = {
        {"two bytes give A and a zero byte", QByteArray::fromHex("2040"), QString("A") + QChar(0)},
        {"empty", {}, ""},
        {"two groups and a partial one", SurfaceEncoder::packText("Fourteen bytes!"),
         withPadding("Fourteen bytes!")},
        {"multi-byte characters", SurfaceEncoder::packText("Grüße 音"), withPadding("Grüße 音")},
        {"one byte, from its own bits alone", QByteArray::fromHex("20"), "@"},
        {"invalid bytes read null", SurfaceEncoder::packText("\xff\xfe"), "null"},
        {"a character cut off at the end", SurfaceEncoder::packText("ok \xc3"), "null"},
        {"an encoded surrogate", SurfaceEncoder::packText("\xed\xa0\x80 x y"), "null"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(midi::SurfaceFeedback::convertDataToUTF8(c.packedBytes), c.text) << c.name;
}

} // namespace
