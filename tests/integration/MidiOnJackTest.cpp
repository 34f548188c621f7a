#include "../platform/midi/JackPeer.h"
#include "../platform/midi/WaitFor.h"
#include "JackBackend.h"
#include "app/MidiServices.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The program's MIDI half as the application builds it, on a real JACK server, with another
// client there to be chosen as the port.
class MidiOnJackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        auto backend = JackBackend::open("Stripdeck Port", &error);
        if (!backend)
            GTEST_SKIP() << "no JACK server (run under scripts/with-test-services): " << error.toStdString();
        midi::Client::installBackend(std::move(backend));
        m_services = std::make_unique<MidiServices>(m_defaults);
        m_services->setupMIDI();
        QObject::connect(midi::Client::sharedClient(), &midi::Client::setupChanged, &m_services->endpoints(),
                         &midi::MidiEndpoints::updateDeviceMenu);
        m_services->endpoints().updateDeviceMenu();
    }

    void TearDown() override
    {
        m_peer.reset();
        m_services.reset();
        midi::Client::installBackend(nullptr);
    }

    std::shared_ptr<MenuItem> outDevice() const
    {
        return m_services->endpoints().midiOutSubMenu()->itemWithTitle(m_peerName);
    }

    // Sends until the peer has it: JACK applies a connection a period or so after it is made.
    bool reachesThePeer()
    {
        return waitFor([&] {
            m_services->router().sendControl(7, 100, 1);
            return m_peer->received().contains(QByteArray::fromHex("b00764"));
        });
    }

    QTemporaryDir m_dir;
    UserDefaults m_defaults{m_dir.filePath("prefs.plist")};
    std::unique_ptr<MidiServices> m_services;
    const QString m_peerName = "stripdeck-port-peer";
    std::unique_ptr<JackPeer> m_peer;
};

TEST_F(MidiOnJackTest, ChosenPortReceivesUserTrafficAndComesBackByItself)
{
    m_peer = JackPeer::open(m_peerName);
    ASSERT_TRUE(m_peer);
    ASSERT_TRUE(waitFor([&] { return outDevice() != nullptr; }, 10000)) << "the peer never reached the menu";
    auto device = outDevice();
    ASSERT_TRUE(device->submenu() && !device->submenu()->items().isEmpty());
    device->submenu()->itemAt(0)->trigger();
    EXPECT_EQ(m_defaults.stringForKey("MidiOutDevice"), m_peerName);
    EXPECT_TRUE(reachesThePeer());

    m_peer.reset();
    ASSERT_TRUE(waitFor([&] { return outDevice() == nullptr; }, 10000));
    EXPECT_TRUE(m_services->endpoints().midiOutSubMenu()->itemAt(0)->state()) << "\"None\" is checked";
    EXPECT_EQ(m_defaults.stringForKey("MidiOutDevice"), m_peerName) << "the choice is remembered";

    m_peer = JackPeer::open(m_peerName);
    ASSERT_TRUE(m_peer);
    ASSERT_TRUE(waitFor([&] { return outDevice() != nullptr; }, 10000));
    EXPECT_TRUE(reachesThePeer()) << "reconnected without a choice";
}

} // namespace
