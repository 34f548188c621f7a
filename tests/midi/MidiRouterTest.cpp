#include "midi/MidiRouter.h"
#include "midi/Client.h"
#include "midi/VirtualOutputStream.h"
#include "platform/loopback/LoopbackBackend.h"

#include <gtest/gtest.h>

namespace {

// Routes through real streams of the loopback system, so the order across the user output
// and the port is the order the system saw.
class MidiRouterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<LoopbackBackend>();
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
        m_backend->addDevice("Synth", {}, {"Synth Port"});
        m_user = std::make_unique<midi::VirtualOutputStream>("Stripdeck User", 0);
        m_surface = std::make_unique<midi::VirtualOutputStream>("Stripdeck Surface", 0);
        m_port = std::make_unique<midi::PortOutputStream>();
        m_router.setUserOutput(m_user.get());
        m_router.setSurfaceOutput(m_surface.get());
        m_router.setPortOutput(m_port.get());
    }

    void TearDown() override
    {
        m_user.reset();
        m_surface.reset();
        m_port.reset();
        midi::Client::installBackend(nullptr);
    }

    // What went out, one "<last word of the target> <hex>" per message.
    QStringList log() const
    {
        QStringList result;
        for (const auto &sent : m_backend->sent())
            result.append(sent.target.section(u' ', -1) + u' ' + QString::fromLatin1(sent.bytes.toHex()));
        return result;
    }

    LoopbackBackend *m_backend = nullptr;
    std::unique_ptr<midi::VirtualOutputStream> m_user;
    std::unique_ptr<midi::VirtualOutputStream> m_surface;
    std::unique_ptr<midi::PortOutputStream> m_port;
    midi::MidiRouter m_router;
};

TEST_F(MidiRouterTest, UserMessagesAreByteExact)
{
    m_router.sendControl(7, 100, 1);
    m_router.sendControl(7, 100, 16);
    m_router.sendNoteOn(60, 0, 10);
    m_router.sendProgram(5, 3);
    m_router.sendPitchBend(8192, 1);
    m_router.sendPitchBend(0, 2);
    EXPECT_EQ(log(), (QStringList{"User b00764", "User bf0764", "User 993c00", "User c205", "User e00040",
                                  "User e10000"}));

    SCOPED_TRACE("pitch bend clamps at the top; machine control is universal real-time system exclusive");
    m_backend->clearSent();
    m_router.sendPitchBend(16383, 1);
    m_router.sendPitchBend(65535, 1);
    m_router.sendMMC(6);
    EXPECT_EQ(log(), (QStringList{"User e07f7f", "User e07f7f", "User f07f7f0606f7"}));

    SCOPED_TRACE("14-bit control: MSB then LSB, nothing above 31; a negative controller is not above 31, "
                 "so it goes out held to 0, as any data byte below the range is");
    m_backend->clearSent();
    m_router.send14BitControl(7, 16383, 1);
    m_router.send14BitControl(31, 16384, 1);
    m_router.send14BitControl(32, 100, 1);
    m_router.send14BitControl(-1, 100, 1);
    EXPECT_EQ(log(), (QStringList{"User b0077f", "User b0277f", "User b01f00", "User b03f00", "User b00000",
                                  "User b01f64"}));

    SCOPED_TRACE("channels outside the range wrap into a valid status byte; 0 is a record without one");
    m_backend->clearSent();
    m_router.sendControl(1, 2, 0);
    m_router.sendControl(1, 2, 17);
    m_router.sendNoteOn(60, 1, -3);
    EXPECT_EQ(log(), (QStringList{"User bf0102", "User b00102", "User 9c3c01"}));
}

// A stored value outside 0 … 127 must never become a status byte on the wire.
TEST_F(MidiRouterTest, DataBytesOutsideTheRangeAreHeldToIt)
{
    m_router.sendControl(200, 128, 1);
    m_router.sendControl(7, 300, 1);
    m_router.sendNoteOn(60, 255, 1);
    m_router.sendNoteOn(-5, -1, 1);
    m_router.sendProgram(1000, 1);
    m_router.sendControlSurfaceControl(65, 4096, 1);
    EXPECT_EQ(log(), (QStringList{"User b07f7f", "User b0077f", "User 903c7f", "User 900000", "User c07f",
                                  "Surface b0417f"}));
}

// NRPN selects the parameter before every value.
TEST_F(MidiRouterTest, UserMessagesReachTheVirtualOutputThenThePortAndSurfaceOnesOnlyTheSurface)
{
    m_port->setEndpoints(QList{m_backend->destinationEndpoints().first()});
    m_router.sendNRPN(300, 1000, 2);
    m_router.send14BitControl(7, 16383, 1);
    m_router.sendMMC(2);
    m_router.sendControlSurfaceControl(50, 127, 1);
    m_router.sendControlSurfacePitchBend(16383, 9);
    EXPECT_EQ(log(), (QStringList{"User b16302", "User b1622c", "User b10607", "User b12668", "Port b16302",
                                  "Port b1622c", "Port b10607", "Port b12668", "User b0077f", "User b0277f",
                                  "Port b0077f", "Port b0277f", "User f07f7f0602f7", "Port f07f7f0602f7",
                                  "Surface b0327f", "Surface e87f7f"}));

    m_backend->clearSent();
    m_port->setEndpoints(std::nullopt);
    m_router.sendControl(7, 1, 1);
    EXPECT_EQ(log(), QStringList{"User b00701"});
}

} // namespace
