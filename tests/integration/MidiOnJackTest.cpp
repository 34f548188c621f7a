#include "../platform/midi/WaitFor.h"
#include "JackBackend.h"
#include "app/MidiServices.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString run(const QString &program, const QStringList &arguments = {})
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The program's MIDI half as the application builds it, on a real JACK server, with real
// peers: the host simulator on the surface pair and jack_midi_dump as a chosen port.
class MidiOnJackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        auto backend = JackBackend::open(QStringLiteral("Stripdeck Port"), &error);
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
        m_services.reset();
        midi::Client::installBackend(nullptr);
    }

    std::shared_ptr<MenuItem> outDevice(const QString &name) const
    {
        return m_services->endpoints().midiOutSubMenu()->itemWithTitle(name);
    }

    QTemporaryDir m_dir;
    UserDefaults m_defaults{m_dir.filePath(QStringLiteral("prefs.plist"))};
    std::unique_ptr<MidiServices> m_services;
};

TEST_F(MidiOnJackTest, SetupPublishesTheFourEndpointsAndRemembersTheirIdentities)
{
    const QString ports = run(QStringLiteral("jack_lsp"));
    for (const char *port :
         {"Stripdeck Surface:in", "Stripdeck Surface:out", "Stripdeck User:in", "Stripdeck User:out"})
        EXPECT_TRUE(ports.contains(QString::fromLatin1(port))) << port << " missing from\n"
                                                               << ports.toStdString();
    for (const char *key : {"surface-in-UID", "surface-out-UID", "user-in-UID", "user-out-UID"})
        EXPECT_NE(m_defaults.integerForKey(QString::fromLatin1(key)), 0) << key;
}

TEST_F(MidiOnJackTest, HostSimulatorFeedbackReachesTheBankAndTheStrip)
{
    QProcess simulator;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("STRIPDECK_MIDI_BACKEND"), QStringLiteral("jack"));
    simulator.setProcessEnvironment(environment);
    auto &strip = m_services->controlStripItem();
    auto &bank = m_services->eightFaderItem();
    const bool applied = withRetries([&] {
        simulator.kill();
        simulator.waitForFinished();
        simulator.start(QStringLiteral(STRIPDECK_HOST_SIM),
                        {"-e", "track-name \"Lead Vocal\"", "-e", "fader 3 0.5", "--listen", "-1"});
        return waitFor(
            [&] {
                return strip.getChannelName().startsWith(QStringLiteral("Lead Vocal")) &&
                       std::abs(bank.getValueForFader(3) - 0.5f) < 0.01f;
            },
            10000);
    });
    simulator.terminate();
    simulator.waitForFinished();
    EXPECT_TRUE(applied) << "strip name \"" << strip.getChannelName().toStdString() << "\", bank fader 3 at "
                         << bank.getValueForFader(3);
}

TEST_F(MidiOnJackTest, ChosenPortReceivesUserTrafficAndComesBackByItself)
{
    const QString peer = QStringLiteral("stripdeck-port-peer");
    QProcess dump;
    dump.start(QStringLiteral("jack_midi_dump"), {peer});
    ASSERT_TRUE(waitFor([&] { return outDevice(peer) != nullptr; }, 10000))
        << "the peer never reached the menu";
    auto device = outDevice(peer);
    ASSERT_TRUE(device->submenu() && !device->submenu()->items().isEmpty());
    device->submenu()->itemAt(0)->trigger();
    EXPECT_EQ(m_defaults.stringForKey(QStringLiteral("MidiOutDevice")), peer);

    QString output;
    const auto reaches = [&](QProcess &process) {
        return waitFor([&] {
            m_services->router().sendControl(7, 100, 1);
            output += QString::fromUtf8(process.readAllStandardOutput());
            return output.contains(QStringLiteral("b0 07 64"));
        });
    };
    EXPECT_TRUE(reaches(dump)) << output.toStdString();

    dump.kill();
    dump.waitForFinished();
    ASSERT_TRUE(waitFor([&] { return outDevice(peer) == nullptr; }, 10000));
    EXPECT_TRUE(m_services->endpoints().midiOutSubMenu()->itemAt(0)->state()) << "\"None\" is checked";
    EXPECT_EQ(m_defaults.stringForKey(QStringLiteral("MidiOutDevice")), peer) << "the choice is remembered";

    QProcess again;
    again.start(QStringLiteral("jack_midi_dump"), {peer});
    ASSERT_TRUE(waitFor([&] { return outDevice(peer) != nullptr; }, 10000));
    output.clear();
    EXPECT_TRUE(reaches(again)) << "reconnected without a choice: " << output.toStdString();
    again.kill();
    again.waitForFinished();
}

} // namespace
