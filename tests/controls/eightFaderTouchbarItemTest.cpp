#include "../midi/SurfaceRig.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>

namespace {

class EightFaderItemTest : public ::testing::Test {
protected:
    SurfaceRig m_rig;
    eightFaderTouchbarItem &bank = m_rig.m_bank;
};

TEST_F(EightFaderItemTest, ThePositionIsTakenWhenTheLsbArrives)
{
    QSignalSpy redraws(&bank, &eightFaderTouchbarItem::displayChanged);
    bank.setMSB(0x40, 2);
    EXPECT_EQ(bank.getValueForFader(2), 0.0f);
    EXPECT_EQ(redraws.count(), 0);
    bank.setLSB(0x01, 2);
    EXPECT_EQ(bank.getValueForFader(2), float(0x40 << 7 | 1) / 16383.0f);
    EXPECT_EQ(redraws.count(), 1);
    // The stored MSB serves later LSBs as well.
    bank.setLSB(0x7F, 2);
    EXPECT_EQ(bank.getValueForFader(2), float(0x40 << 7 | 0x7F) / 16383.0f);
}

// Faders send pitch bend on channels 9 to 16, clamped; inverted buttons send the opposite and
// store the value given.
TEST_F(EightFaderItemTest, SentMessages)
{
    bank.sendValue(0.5f, 0, false);
    bank.sendValue(1.0f, 7, false);
    bank.sendValue(0.7f, 1, false);
    EXPECT_EQ(bank.getValueForFader(1), 0.7f);
    for (float outside : {1.5f, -0.5f, std::numeric_limits<float>::quiet_NaN()})
        bank.sendValue(outside, 3, false);
    bank.sendValue(1.0f, 4, true);
    EXPECT_EQ(bank.getValueForFader(4), 1.0f);
    bank.sendValue(0.0f, 4, true);
    bank.sendValue(0.3f, 4, true);
    EXPECT_EQ(m_rig.sentToSurface(), (QStringList{"e87f3f", "ef7f7f", "e94c59", "eb7f7f", "eb0000", "eb0000",
                                                  "ec0000", "ec7f7f", "ec0000"}));
}

TEST_F(EightFaderItemTest, SlotsBeyondTheBankAreIgnored)
{
    for (int slot : {-1, 8, 127}) {
        bank.setMSB(1, slot);
        bank.setLSB(1, slot);
        bank.setValue(1.0f, slot);
        bank.setParameterName("x", slot);
        bank.setParameterType(2, slot);
        bank.sendValue(1.0f, slot, false);
        bank.sendTouch(1, slot);
        EXPECT_EQ(bank.getValueForFader(slot), 0.0f);
        EXPECT_EQ(bank.getParameterName(slot), "");
    }
    EXPECT_TRUE(m_rig.sentToSurface().isEmpty());
    EXPECT_EQ(bank.getParameterTypes(), QStringList(8, "1"));
}

// With a view the arrow stays until the host sends a number (the view test covers that case).
TEST_F(EightFaderItemTest, WithoutAViewBankModeKeepsTheStoredNumber)
{
    bank.setBankNumber("3");
    bank.setBankMode(1);
    EXPECT_EQ(bank.getBankNumber(), QStringLiteral("\u2B06\uFE0E"));
    bank.setBankMode(0);
    EXPECT_EQ(bank.getBankNumber(), "3");
}

TEST_F(EightFaderItemTest, ViewsAreToldWhatToRefresh)
{
    QSignalSpy name(&bank, &eightFaderTouchbarItem::nameChanged);
    QSignalSpy allNames(&bank, &eightFaderTouchbarItem::allNamesChanged);
    QSignalSpy redraws(&bank, &eightFaderTouchbarItem::displayChanged);
    bank.setParameterName("Gain", 0);
    bank.setParameterType(3, 0);
    bank.setDeviceOnValue(true);
    bank.setButtonMode(0);
    bank.setColorMode(2);
    EXPECT_EQ(name.count(), 1);
    EXPECT_EQ(allNames.count(), 1);
    EXPECT_EQ(redraws.count(), 1);
    EXPECT_EQ(bank.getParameterTypes().at(0), "3");
}

} // namespace
