#include "SurfaceEncoder.h"
#include "SurfaceRig.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Packs text the way a host script does: its bits as one stream, cut into 7-bit data bytes,
// the last one padded with zero bits.
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

// A text whose length is not a multiple of seven comes out with the zero byte of its last,
// partial group.
QString withPadding(const QString &text)
{
    return text + QChar(0);
}

QStringList bankState(const eightFaderTouchbarItem &bank)
{
    QStringList state = bank.getParameterNames() + bank.getParameterTypes();
    for (int f = 0; f < eightFaderTouchbarItem::faderCount; ++f)
        state << QString::number(bank.getValueForFader(f));
    state << bank.getBankNumber() << QString::number(bank.getDeviceOnValue())
          << QString::number(bank.getBankMode()) << QString::number(bank.getButtonMode())
          << QString::number(bank.getColorMode());
    return state;
}

QStringList stripState(const controlStripTouchbarItem &strip)
{
    QStringList state{strip.getChannelName(),
                      strip.getPanName(),
                      strip.getDeviceName(),
                      QString::number(strip.hasDevice()),
                      strip.getDeviceColor().name(QColor::HexArgb),
                      QString::number(strip.getSoloButtonValue()),
                      QString::number(strip.getMuteButtonValue())};
    for (int send = 0; send < controlStripTouchbarItem::sendCount; ++send)
        state << strip.getNameForSend(send);
    for (int f = 0; f < controlStripTouchbarItem::faderCount; ++f)
        state << QString::number(strip.getValueForFader(f));
    return state;
}

class SurfaceFeedbackTest : public ::testing::Test {
protected:
    void expectNoChange(const QByteArray &bytes)
    {
        const QStringList bank = bankState(m_rig.m_bank);
        const QStringList strip = stripState(m_rig.m_strip);
        const QColor track = m_rig.m_feedback.currentTrackColor();
        const QColor device = m_rig.m_feedback.currentDeviceColor();
        ASSERT_TRUE(m_rig.surface(bytes));
        EXPECT_EQ(bankState(m_rig.m_bank), bank) << bytes.toHex().constData();
        EXPECT_EQ(stripState(m_rig.m_strip), strip) << bytes.toHex().constData();
        EXPECT_EQ(m_rig.m_feedback.currentTrackColor(), track);
        EXPECT_EQ(m_rig.m_feedback.currentDeviceColor(), device);
        EXPECT_EQ(m_rig.m_popUpsClosed, 0);
    }

    SurfaceRig m_rig;
};

TEST_F(SurfaceFeedbackTest, TextCommandsNameTheTrackSendsDeviceAndParameters)
{
    m_rig.m_strip.hasDevice(true);
    m_rig.surface(sysex(0, SurfaceEncoder::packText("Drums")));
    m_rig.surface(sysex(2, char(1) + SurfaceEncoder::packText("Reverb")));
    m_rig.surface(sysex(3, SurfaceEncoder::packText("EQ Ei")));
    m_rig.surface(sysex(5, SurfaceEncoder::packText("Balance")));
    m_rig.surface(sysex(10, char(3) + SurfaceEncoder::packText("Cutoff")));

    EXPECT_EQ(m_rig.m_strip.getChannelName(), withPadding("Drums"));
    EXPECT_EQ(m_rig.m_strip.getNameForSend(1), withPadding("Reverb"));
    EXPECT_EQ(m_rig.m_strip.getNameForSend(0), "Send 1");
    EXPECT_EQ(m_rig.m_strip.getNameForSend(2), "Send 3");
    EXPECT_EQ(m_rig.m_strip.getDeviceName(), withPadding("EQ Ei"));
    EXPECT_EQ(m_rig.m_strip.getPanName(), "Balance"); // seven bytes: one whole group, no padding
    EXPECT_EQ(m_rig.m_bank.getParameterName(3), withPadding("Cutoff"));
    EXPECT_EQ(m_rig.m_bank.getParameterName(2), "");
}

TEST_F(SurfaceFeedbackTest, DeviceNameOfFourLettersKeepsTheByteOfThePartialGroup)
{
    m_rig.m_strip.hasDevice(true);
    m_rig.surface(QByteArray::fromHex("f07d0003" + SurfaceEncoder::packText("Comp").toHex() + "f7"));
    EXPECT_EQ(m_rig.m_strip.getDeviceName(), withPadding("Comp"));
}

TEST_F(SurfaceFeedbackTest, TrackColourReachesTheStrip)
{
    QSignalSpy colours(&m_rig.m_strip, &controlStripTouchbarItem::onColorChanged);
    EXPECT_EQ(m_rig.m_feedback.currentTrackColor(), QColor::fromRgbF(1, 0, 0, 1));
    m_rig.surface(sysex(1, QByteArray::fromHex("7f4000")));
    const QColor expected = QColor::fromRgbF(1.0f, 64 / 127.0f, 0.0f, 1.0f);
    EXPECT_EQ(m_rig.m_feedback.currentTrackColor(), expected);
    ASSERT_EQ(colours.count(), 1);
    EXPECT_EQ(colours.at(0).at(0).value<QColor>(), expected);
}

TEST_F(SurfaceFeedbackTest, DeviceColourReachesTheStripAndLightsTheBank)
{
    QSignalSpy bankColours(&m_rig.m_bank, &eightFaderTouchbarItem::onColorChanged);
    m_rig.m_strip.hasDevice(true);
    EXPECT_FALSE(m_rig.m_feedback.currentDeviceColor().isValid());
    m_rig.surface(sysex(4, QByteArray::fromHex("00207f")));
    const QColor expected = QColor::fromRgbF(0.0f, 32 / 127.0f, 1.0f, 1.0f);
    EXPECT_EQ(m_rig.m_feedback.currentDeviceColor(), expected);
    EXPECT_EQ(m_rig.m_strip.getDeviceColor(), expected);
    ASSERT_EQ(bankColours.count(), 1);
    EXPECT_EQ(bankColours.at(0).at(0).value<QColor>(), expected);
}

TEST_F(SurfaceFeedbackTest, UnassignedCommandsChangeNothing)
{
    for (int command : {6, 7, 8, 9, 11, 12, 0x7F})
        expectNoChange(sysex(command, SurfaceEncoder::packText("Ignored")));
}

// Each body is one byte short of what its command reads.
TEST_F(SurfaceFeedbackTest, BodiesTooShortForTheirCommandAreDropped)
{
    const char *shortBodies[] = {
        "f0f7",           "f07df7",     "f07d00f7",   "f07d0001", "f07d00017f7ff7",
        "f07d00047f7ff7", "f07d0002f7", "f07d000af7", "f07d000a", "f0",
    };
    for (const char *hex : shortBodies)
        expectNoChange(QByteArray::fromHex(hex));
}

TEST_F(SurfaceFeedbackTest, EmptyTextIsStillAText)
{
    m_rig.surface(sysex(0));
    EXPECT_EQ(m_rig.m_strip.getChannelName(), "");
    m_rig.surface(sysex(10, QByteArray(1, char(5))));
    EXPECT_EQ(m_rig.m_bank.getParameterName(5), "");
}

TEST_F(SurfaceFeedbackTest, IndexesBeyondTheItemsAreIgnored)
{
    expectNoChange(sysex(2, char(4) + SurfaceEncoder::packText("Fifth")));
    expectNoChange(sysex(10, char(8) + SurfaceEncoder::packText("Ninth")));
    expectNoChange(sysex(10, char(0x7F) + SurfaceEncoder::packText("Far")));
}

TEST_F(SurfaceFeedbackTest, ColourComponentsAboveTheProtocolStayValid)
{
    m_rig.surface(QByteArray::fromHex("f07d0001ff8000f7"));
    EXPECT_TRUE(m_rig.m_feedback.currentTrackColor().isValid());
    EXPECT_EQ(m_rig.m_feedback.currentTrackColor(), QColor::fromRgbF(1, 1, 0, 1));
}

// Bank faders 0 … 7 on channels 9 … 16, strip faders 0 … 5 on channels 1 … 6; each pitch bend
// moves its one fader and no other.
TEST_F(SurfaceFeedbackTest, PitchBendsMoveBankAndStripFadersByChannel)
{
    const auto faders = [this] {
        QList<float> values;
        for (int f = 0; f < 8; ++f)
            values.append(m_rig.m_bank.getValueForFader(f));
        for (int f = 0; f < 6; ++f)
            values.append(m_rig.m_strip.getValueForFader(f));
        return values;
    };
    for (int channel = 1; channel <= 16; ++channel) {
        const int msb = channel * 5;
        const int lsb = 100 - channel;
        QList<float> expected = faders();
        const qsizetype moved = channel >= 9 ? channel - 9 : channel <= 6 ? 8 + channel - 1 : -1;
        if (moved >= 0)
            expected[moved] = float(lsb | msb << 7) / 16383.0f;
        m_rig.surface(bytes({0xE0 + channel - 1, lsb, msb}));
        EXPECT_EQ(faders(), expected) << "channel " << channel;
    }
}

TEST_F(SurfaceFeedbackTest, PitchBendOnChannel12SetsBankFader3)
{
    m_rig.surface("eb0040");
    EXPECT_FLOAT_EQ(m_rig.m_bank.getValueForFader(3), 8192.0f / 16383.0f);
    m_rig.surface("eb7f7f");
    EXPECT_EQ(m_rig.m_bank.getValueForFader(3), 1.0f);
}

TEST_F(SurfaceFeedbackTest, PitchBendsOnChannels7And8ChangeNothing)
{
    expectNoChange("e67f7f");
    expectNoChange("e77f7f");
}

TEST_F(SurfaceFeedbackTest, ControlChangesOnChannel1SetButtonsModesAndBank)
{
    m_rig.surface("b00141");
    EXPECT_EQ(m_rig.m_strip.getSoloButtonValue(), 0x41);
    m_rig.surface("b0027f");
    EXPECT_EQ(m_rig.m_strip.getMuteButtonValue(), 127);
    m_rig.surface("b00301");
    EXPECT_TRUE(m_rig.m_strip.hasDevice());
    m_rig.surface("b00b41");
    EXPECT_TRUE(m_rig.m_bank.getDeviceOnValue());
    m_rig.surface("b00b40");
    EXPECT_FALSE(m_rig.m_bank.getDeviceOnValue());
    for (int controller = 20; controller <= 27; ++controller)
        m_rig.surface(bytes({0xB0, controller, controller - 18}));
    EXPECT_EQ(m_rig.m_bank.getParameterTypes(), (QStringList{"2", "3", "4", "5", "6", "7", "8", "9"}));
    m_rig.surface("b01c05");
    EXPECT_EQ(m_rig.m_bank.getColorMode(), 2);
    m_rig.surface("b01c00");
    EXPECT_EQ(m_rig.m_bank.getColorMode(), 0);
    m_rig.surface("b01d00");
    EXPECT_EQ(m_rig.m_bank.getButtonMode(), 0);
    m_rig.surface("b01d40");
    EXPECT_EQ(m_rig.m_bank.getButtonMode(), 1);
    m_rig.surface("b01f07");
    EXPECT_EQ(m_rig.m_bank.getBankNumber(), "7");
    m_rig.surface("b01f00");
    EXPECT_EQ(m_rig.m_bank.getBankNumber(), "-");
    m_rig.surface("b01e01");
    EXPECT_EQ(m_rig.m_bank.getBankMode(), 1);
    EXPECT_EQ(m_rig.m_bank.getBankNumber(), "\u2B06\uFE0E");
    EXPECT_EQ(m_rig.m_popUpsClosed, 0);
}

TEST_F(SurfaceFeedbackTest, NoDeviceClosesThePopUp)
{
    m_rig.surface("b0037f");
    m_rig.surface("b00300");
    EXPECT_FALSE(m_rig.m_strip.hasDevice());
    EXPECT_EQ(m_rig.m_strip.getDeviceName(), "<no Device>");
    EXPECT_EQ(m_rig.m_popUpsClosed, 1);
}

TEST_F(SurfaceFeedbackTest, UnassignedControlChangesAndOtherChannelsChangeNothing)
{
    for (int controller : {0, 4, 5, 10, 12, 19, 32, 50, 127})
        expectNoChange(bytes({0xB0, controller, 0x7F}));
    for (const char *hex : {"b10100", "b1037f", "b11f07", "bf1c7f"})
        expectNoChange(QByteArray::fromHex(hex));
}

TEST_F(SurfaceFeedbackTest, OtherMessageTypesChangeNothing)
{
    for (const char *hex : {"903c7f", "803c00", "c005", "d040", "a03c40", "f8", "fa", ""})
        expectNoChange(QByteArray::fromHex(hex));
}

TEST_F(SurfaceFeedbackTest, TheSameBytesOnTheUserInputOnlyMoveListenerCells)
{
    const auto bend = m_rig.m_listeners.returnListenerFor(TestControl(3, 0, 12));
    const auto hasDevice = m_rig.m_listeners.returnListenerFor(TestControl(0, 3, 1));
    const auto bankNumber = m_rig.m_listeners.returnListenerFor(TestControl(0, 31, 1));
    const QStringList bank = bankState(m_rig.m_bank);
    const QStringList strip = stripState(m_rig.m_strip);
    m_rig.user(sysex(3, SurfaceEncoder::packText("Comp")));
    m_rig.user(sysex(10, char(0) + SurfaceEncoder::packText("Gain")));
    m_rig.user(sysex(1, QByteArray::fromHex("000000")));
    m_rig.user("eb0040");
    m_rig.user("b00305");
    m_rig.user("b01f07");
    m_rig.user("b0017f");
    EXPECT_EQ(bankState(m_rig.m_bank), bank);
    EXPECT_EQ(stripState(m_rig.m_strip), strip);
    EXPECT_EQ(m_rig.m_feedback.currentTrackColor(), QColor::fromRgbF(1, 0, 0, 1));
    EXPECT_EQ(m_rig.m_popUpsClosed, 0);
    EXPECT_EQ(bend->value(), 0x40 << 7);
    EXPECT_EQ(hasDevice->value(), 5);
    EXPECT_EQ(bankNumber->value(), 7);
}

struct Unpacking {
    const char *name;
    QByteArray packedBytes;
    QString text;
};

TEST(ConvertDataToUTF8, UnpacksSevenBitGroups)
{
    const Unpacking cases[] = {
        {"two bytes give A and a zero byte", QByteArray::fromHex("2040"), QString("A") + QChar(0)},
        {"empty", {}, ""},
        {"one whole group", SurfaceEncoder::packText("Seven!!"), "Seven!!"},
        {"two groups and a partial one", SurfaceEncoder::packText("Fourteen bytes!"),
         withPadding("Fourteen bytes!")},
        {"multi-byte characters", SurfaceEncoder::packText("Grüße 音"), withPadding("Grüße 音")},
        {"one byte, from its own bits alone", QByteArray::fromHex("20"), "@"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(midi::SurfaceFeedback::convertDataToUTF8(c.packedBytes), c.text) << c.name;
}

TEST(ConvertDataToUTF8, InvalidUtf8ReadsNull)
{
    const QByteArray invalid[] = {
        SurfaceEncoder::packText("\xff\xfe"),
        SurfaceEncoder::packText("ok \xc3"),          // a character cut off at the end
        SurfaceEncoder::packText("\xc0\xaf"),         // an over-long form
        SurfaceEncoder::packText("\xed\xa0\x80 x y"), // an encoded surrogate
    };
    for (const QByteArray &bytes : invalid)
        EXPECT_EQ(midi::SurfaceFeedback::convertDataToUTF8(bytes), "null") << bytes.toHex().constData();
}

} // namespace
