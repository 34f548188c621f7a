#include "midi/MidiRouter.h"
#include "midi/Client.h"
#include "midi/VirtualOutputStream.h"
#include "platform/loopback/LoopbackBackend.h"

#include <gtest/gtest.h>

namespace {

using Log = QList<std::pair<QString, QByteArray>>;

// Routes through real streams of the loopback system, so the order across the user output
// and the port is the order the system saw.
class MidiRouterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<LoopbackBackend>();
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
        m_device = m_backend->addDevice(QStringLiteral("Synth"), {}, {QStringLiteral("Synth In")});
        m_user = std::make_unique<midi::VirtualOutputStream>(QStringLiteral("Stripdeck User"), 0);
        m_surface = std::make_unique<midi::VirtualOutputStream>(QStringLiteral("Stripdeck Surface"), 0);
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

    void choosePort() { m_port->setEndpoints(QList{m_backend->destinationEndpoints().first()}); }

    Log log() const
    {
        Log result;
        for (const auto &sent : m_backend->sent())
            result.append({sent.target, sent.bytes});
        return result;
    }

    static std::pair<QString, QByteArray> user(const char *hex)
    {
        return {QStringLiteral("Stripdeck User"), QByteArray::fromHex(hex)};
    }

    LoopbackBackend *m_backend = nullptr;
    std::shared_ptr<midi::Device> m_device;
    std::unique_ptr<midi::VirtualOutputStream> m_user;
    std::unique_ptr<midi::VirtualOutputStream> m_surface;
    std::unique_ptr<midi::PortOutputStream> m_port;
    midi::MidiRouter m_router;
};

TEST_F(MidiRouterTest, VoiceMessagesAreByteExact)
{
    m_router.sendControl(7, 100, 1);
    m_router.sendControl(7, 100, 16);
    m_router.sendNoteOn(60, 0, 10);
    m_router.sendProgram(5, 3);
    m_router.sendPitchBend(8192, 1);
    m_router.sendPitchBend(0, 2);
    EXPECT_EQ(log(), (Log{user("b00764"), user("bf0764"), user("993c00"), user("c205"), user("e00040"),
                          user("e10000")}));
}

TEST_F(MidiRouterTest, PitchBendClampsAtTheTop)
{
    m_router.sendPitchBend(16383, 1);
    m_router.sendPitchBend(20000, 1);
    m_router.sendPitchBend(65535, 1);
    EXPECT_EQ(log(), (Log{user("e07f7f"), user("e07f7f"), user("e07f7f")}));
}

TEST_F(MidiRouterTest, MachineControlIsUniversalRealTimeSysex)
{
    m_router.sendMMC(2);
    m_router.sendMMC(6);
    EXPECT_EQ(log(), (Log{user("f07f7f0602f7"), user("f07f7f0606f7")}));
}

TEST_F(MidiRouterTest, FourteenBitControlSendsMsbThenLsbAndNothingAbove31)
{
    m_router.send14BitControl(7, 16383, 1);
    m_router.send14BitControl(31, 16384, 1);
    m_router.send14BitControl(32, 100, 1);
    m_router.send14BitControl(-1, 100, 1);
    // A negative controller is not above 31, so it goes out as its low byte, as any data byte does.
    EXPECT_EQ(log(), (Log{user("b0077f"), user("b0277f"), user("b01f00"), user("b03f00"), user("b0ff00"),
                          user("b01f64")}));
}

TEST_F(MidiRouterTest, NrpnSelectsTheParameterBeforeEveryValue)
{
    m_router.sendNRPN(300, 1000, 2);
    EXPECT_EQ(log(), (Log{user("b16302"), user("b1622c"), user("b10607"), user("b12668")}));
}

TEST_F(MidiRouterTest, ChannelsOutsideTheRangeWrapIntoAValidStatusByte)
{
    m_router.sendControl(1, 2, 0);  // a record without a channel
    m_router.sendControl(1, 2, 17); // one past the top wraps to channel 1
    m_router.sendNoteOn(60, 1, -3);
    for (const auto &[target, bytes] : log())
        EXPECT_GE(quint8(bytes.at(0)), 0x80);
    EXPECT_EQ(log(), (Log{user("bf0102"), user("b00102"), user("9c3c01")}));
}

TEST_F(MidiRouterTest, WithAPortChosenUserMessagesGoToTheVirtualOutputFirst)
{
    choosePort();
    const auto port = [](const char *hex) {
        return std::pair{QStringLiteral("Synth In"), QByteArray::fromHex(hex)};
    };
    m_router.sendNRPN(300, 1000, 2);
    m_router.send14BitControl(7, 16383, 1);
    m_router.sendMMC(2);
    EXPECT_EQ(log(), (Log{user("b16302"), user("b1622c"), user("b10607"), user("b12668"), port("b16302"),
                          port("b1622c"), port("b10607"), port("b12668"), user("b0077f"), user("b0277f"),
                          port("b0077f"), port("b0277f"), user("f07f7f0602f7"), port("f07f7f0602f7")}));
}

TEST_F(MidiRouterTest, SurfaceMessagesReachOnlyTheSurfaceOutput)
{
    choosePort();
    m_router.sendControlSurfaceControl(50, 127, 1);
    m_router.sendControlSurfacePitchBend(16383, 9);
    const QString surface = QStringLiteral("Stripdeck Surface");
    EXPECT_EQ(log(),
              (Log{{surface, QByteArray::fromHex("b0327f")}, {surface, QByteArray::fromHex("e87f7f")}}));
}

TEST_F(MidiRouterTest, DisconnectedPortReceivesNothing)
{
    choosePort();
    m_port->setEndpoints(std::nullopt);
    m_router.sendControl(7, 1, 1);
    EXPECT_EQ(log(), (Log{user("b00701")}));
}

} // namespace
