#include "../midi/SurfaceRig.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>

namespace {

// The bank's faders send pitch bend on channels 9 to 16, clamped; its inverted buttons send the
// opposite and store the value given. The strip's faders send on channels 1 to 6, its touches
// control changes 40 to 45. Faders beyond either send and store nothing.
TEST(SurfaceItemsTest, SentMessages)
{
    SurfaceRig rig;
    eightFaderTouchbarItem &bank = rig.m_bank;
    controlStripTouchbarItem &strip = rig.m_strip;
    bank.sendValue(0.5f, 0, false);
    bank.sendValue(1.0f, 7, false);
    bank.sendValue(0.7f, 1, false);
    for (float outside : {1.5f, -0.5f, std::numeric_limits<float>::quiet_NaN()})
        bank.sendValue(outside, 3, false);
    bank.sendValue(1.0f, 4, true);
    EXPECT_EQ(bank.getValueForFader(4), 1.0f);
    bank.sendValue(0.0f, 4, true);
    strip.sendValue(0.5f, 0);
    strip.sendValue(1.0f, 5);
    strip.sendTouch(1, 0);
    strip.sendTouch(0, 5);
    for (int outside : {-1, 8, 127}) {
        bank.setMSB(1, outside);
        bank.setLSB(1, outside);
        bank.setValue(1.0f, outside);
        bank.setParameterName("x", outside);
        bank.setParameterType(2, outside);
        bank.sendValue(1.0f, outside, false);
        bank.sendTouch(1, outside);
        EXPECT_EQ(bank.getValueForFader(outside), 0.0f);
        EXPECT_EQ(bank.getParameterName(outside), "");
        strip.setMSB(1, outside - 2);
        strip.setLSB(1, outside - 2);
        strip.sendValue(1.0f, outside - 2);
        strip.sendTouch(1, outside - 2);
        EXPECT_EQ(strip.getValueForFader(outside - 2), 0.0f);
    }
    EXPECT_EQ(bank.getParameterTypes(), QStringList(8, "1"));
    EXPECT_EQ(rig.sentToSurface(), (QStringList{"e87f3f", "ef7f7f", "e94c59", "eb7f7f", "eb0000", "eb0000",
                                                "ec0000", "ec7f7f", "e07f3f", "e57f7f", "b02801", "b02d00"}));
}

// The stored MSB serves every later LSB; only the LSB moves and redraws the fader.
TEST(SurfaceItemsTest, TheBankTakesAPositionWhenTheLsbArrives)
{
    SurfaceRig rig;
    eightFaderTouchbarItem &bank = rig.m_bank;
    QSignalSpy redraws(&bank, &eightFaderTouchbarItem::displayChanged);
    bank.setMSB(0x40, 2);
    EXPECT_EQ(bank.getValueForFader(2), 0.0f);
    EXPECT_EQ(redraws.count(), 0);
    bank.setLSB(0x01, 2);
    EXPECT_EQ(bank.getValueForFader(2), float(0x40 << 7 | 1) / 16383.0f);
    bank.setLSB(0x7F, 2);
    EXPECT_EQ(bank.getValueForFader(2), float(0x40 << 7 | 0x7F) / 16383.0f);
    EXPECT_EQ(redraws.count(), 2);
}

TEST(SurfaceItemsTest, ANewDeviceNameBringsTheStripsTrackColourAlong)
{
    SurfaceRig rig;
    rig.surface("f07d0001007f7ff7");
    QSignalSpy colours(&rig.m_strip, &controlStripTouchbarItem::onColorChanged);
    rig.surface("f07d00032040f7");
    ASSERT_EQ(colours.count(), 1);
    EXPECT_EQ(colours.at(0).at(0).value<QColor>(), QColor::fromRgbF(0, 1, 1, 1));
}

} // namespace
