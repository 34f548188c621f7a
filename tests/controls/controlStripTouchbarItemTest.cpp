#include "../midi/SurfaceRig.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class ControlStripItemTest : public ::testing::Test {
protected:
    controlStripTouchbarItem &strip() { return m_rig.m_strip; }

    SurfaceRig m_rig;
};

TEST_F(ControlStripItemTest, StartsWithDefaultNamesAndNoDevice)
{
    EXPECT_EQ(strip().getChannelName(), "Volume");
    EXPECT_EQ(strip().getPanName(), "Pan");
    EXPECT_EQ(strip().getDeviceName(), "<no Device>");
    EXPECT_FALSE(strip().getDeviceColor().isValid());
    for (int send = 0; send < 4; ++send)
        EXPECT_EQ(strip().getNameForSend(send), QString("Send %1").arg(send + 1));
}

TEST_F(ControlStripItemTest, DeviceNameAndColourShowOnlyWhileThereIsADevice)
{
    strip().setDeviceName("Comp");
    strip().setDeviceColor(Qt::blue);
    EXPECT_EQ(strip().getDeviceName(), "<no Device>");
    EXPECT_FALSE(strip().getDeviceColor().isValid());
    strip().hasDevice(true);
    EXPECT_EQ(strip().getDeviceName(), "Comp");
    EXPECT_EQ(strip().getDeviceColor(), QColor(Qt::blue));
    strip().hasDevice(false);
    EXPECT_EQ(strip().getDeviceName(), "<no Device>");
}

TEST_F(ControlStripItemTest, MovedFadersSendPitchBendOnChannels1To6)
{
    strip().sendValue(0.5f, 0);
    strip().sendValue(1.0f, 5);
    strip().sendValue(0.25f, 1);
    EXPECT_EQ(m_rig.sentToSurface(), (QStringList{"e07f3f", "e57f7f", "e17f1f"}));
    EXPECT_EQ(strip().getValueForFader(1), 0.25f);
}

TEST_F(ControlStripItemTest, TouchesSendControlChanges40To45)
{
    strip().sendTouch(1, 0);
    strip().sendTouch(0, 5);
    strip().sendTouch(1, 6);
    EXPECT_EQ(m_rig.sentToSurface(), (QStringList{"b02801", "b02d00"}));
}

TEST_F(ControlStripItemTest, SoloAndMuteToggleBetweenTheHalves)
{
    strip().sendSoloButton();
    strip().sendSoloButton();
    strip().setSoloButton(64);
    strip().sendSoloButton();
    strip().setMuteButton(63);
    strip().sendMuteButton();
    strip().sendMuteButton();
    EXPECT_EQ(m_rig.sentToSurface(), (QStringList{"b0017f", "b00100", "b00100", "b0027f", "b00200"}));
    EXPECT_EQ(strip().getSoloButtonValue(), 0);
    EXPECT_EQ(strip().getMuteButtonValue(), 0);
}

TEST_F(ControlStripItemTest, TheDeviceButtonOpensTheBankOnlyWithADevice)
{
    strip().openDevice();
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 0);
    EXPECT_TRUE(m_rig.sentToSurface().isEmpty());
    m_rig.surface("b0037f");
    strip().openDevice();
    EXPECT_EQ(m_rig.m_deviceTouchBarsOpened, 1);
    EXPECT_EQ(m_rig.sentToSurface(), QStringList{"b00401"});
}

TEST_F(ControlStripItemTest, ANamedSendKeepsTheOthers)
{
    strip().setSendName("Delay", 2);
    strip().setSendName("Nowhere", 4);
    strip().setSendName("Nowhere", -1);
    EXPECT_EQ(strip().getNameForSend(0), "Send 1");
    EXPECT_EQ(strip().getNameForSend(2), "Delay");
    EXPECT_EQ(strip().getNameForSend(3), "Send 4");
}

TEST_F(ControlStripItemTest, TrackColourFollowsTheHost)
{
    QSignalSpy colours(&strip(), &controlStripTouchbarItem::onColorChanged);
    strip().updateTrackColor();
    m_rig.surface("f07d0001007f7ff7");
    m_rig.surface("f07d0003"
                  "2040"
                  "f7");
    ASSERT_EQ(colours.count(), 3);
    EXPECT_EQ(colours.at(0).at(0).value<QColor>(), QColor::fromRgbF(1, 0, 0, 1));
    EXPECT_EQ(colours.at(1).at(0).value<QColor>(), QColor::fromRgbF(0, 1, 1, 1));
    // A new device name brings the track colour along.
    EXPECT_EQ(colours.at(2).at(0).value<QColor>(), QColor::fromRgbF(0, 1, 1, 1));
}

TEST_F(ControlStripItemTest, DeviceColourIsTakenUnlessAViewShowsNoDevice)
{
    m_rig.surface("f07d0004000040f7");
    const QColor device = m_rig.m_feedback.currentDeviceColor();
    strip().setDeviceColor(QColor());
    strip().hasDevice(true);
    strip().updateDeviceColor();
    EXPECT_EQ(strip().getDeviceColor(), device);

    QObject view;
    strip().setView(&view);
    strip().setDeviceColor(QColor());
    strip().hasDevice(false);
    strip().updateDeviceColor();
    strip().hasDevice(true);
    EXPECT_FALSE(strip().getDeviceColor().isValid());
}

TEST_F(ControlStripItemTest, FadersBeyondTheStripAreIgnored)
{
    for (int fader : {-1, 6, 100}) {
        strip().setMSB(1, fader);
        strip().setLSB(1, fader);
        strip().sendValue(1.0f, fader);
        EXPECT_EQ(strip().getValueForFader(fader), 0.0f);
    }
    EXPECT_TRUE(m_rig.sentToSurface().isEmpty());
}

} // namespace
