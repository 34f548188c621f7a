#include "../midi/SurfaceRig.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class ControlStripItemTest : public ::testing::Test {
protected:
    SurfaceRig m_rig;
    controlStripTouchbarItem &strip = m_rig.m_strip;
};

// Faders send pitch bend on channels 1 to 6, touches control changes 40 to 45.
TEST_F(ControlStripItemTest, SentMessages)
{
    strip.sendValue(0.5f, 0);
    strip.sendValue(1.0f, 5);
    strip.sendValue(0.25f, 1);
    EXPECT_EQ(strip.getValueForFader(1), 0.25f);
    strip.sendTouch(1, 0);
    strip.sendTouch(0, 5);
    strip.sendTouch(1, 6);
    EXPECT_EQ(m_rig.sentToSurface(), (QStringList{"e07f3f", "e57f7f", "e17f1f", "b02801", "b02d00"}));
}

TEST_F(ControlStripItemTest, ANamedSendKeepsTheOthers)
{
    strip.setSendName("Delay", 2);
    strip.setSendName("Nowhere", 4);
    strip.setSendName("Nowhere", -1);
    EXPECT_EQ(strip.getNameForSend(0), "Send 1");
    EXPECT_EQ(strip.getNameForSend(2), "Delay");
    EXPECT_EQ(strip.getNameForSend(3), "Send 4");
}

TEST_F(ControlStripItemTest, ANewDeviceNameBringsTheTrackColourAlong)
{
    m_rig.surface("f07d0001007f7ff7");
    QSignalSpy colours(&strip, &controlStripTouchbarItem::onColorChanged);
    m_rig.surface("f07d00032040f7");
    ASSERT_EQ(colours.count(), 1);
    EXPECT_EQ(colours.at(0).at(0).value<QColor>(), QColor::fromRgbF(0, 1, 1, 1));
}

TEST_F(ControlStripItemTest, DeviceColourIsTakenUnlessAViewShowsNoDevice)
{
    m_rig.surface("f07d0004000040f7");
    const QColor device = m_rig.m_feedback.currentDeviceColor();
    strip.setDeviceColor(QColor());
    strip.hasDevice(true);
    strip.updateDeviceColor();
    EXPECT_EQ(strip.getDeviceColor(), device);

    QObject view;
    strip.setView(&view);
    strip.setDeviceColor(QColor());
    strip.hasDevice(false);
    strip.updateDeviceColor();
    strip.hasDevice(true);
    EXPECT_FALSE(strip.getDeviceColor().isValid());
}

TEST_F(ControlStripItemTest, FadersBeyondTheStripAreIgnored)
{
    for (int fader : {-1, 6, 100}) {
        strip.setMSB(1, fader);
        strip.setLSB(1, fader);
        strip.sendValue(1.0f, fader);
        EXPECT_EQ(strip.getValueForFader(fader), 0.0f);
    }
    EXPECT_TRUE(m_rig.sentToSurface().isEmpty());
}

} // namespace
