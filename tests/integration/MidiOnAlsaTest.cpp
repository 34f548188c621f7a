#include "../platform/midi/AlsaPeer.h"
#include "../platform/midi/WaitFor.h"
#include "AlsaBackend.h"
#include "PeerProcess.h"
#include "app/MidiServices.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The first card of snd-virmidi: a sequencer client with one port, bridged to the raw MIDI
// device hw:0,0.
const QString virmidiClient = "Virtual Raw MIDI 0-0";
const QString virmidiRaw = "hw:0,0";
// The card's driver. A sequencer subscription to one of its ports holds the module, so rmmod
// is refused while the program is connected; taking the device from its driver is what
// unplugging a USB interface does, subscriptions or not.
const QString virmidiDriver = "/sys/bus/platform/drivers/snd_virmidi";
const QByteArray virmidiDevice = "snd_virmidi.0";

// Unplugs (unbind) or plugs back (bind) the card; false where that is not possible (no
// snd-virmidi, not root).
bool setPlugged(bool plugged)
{
    QFile control(virmidiDriver + (plugged ? "/bind" : "/unbind"));
    return control.open(QIODevice::WriteOnly) && control.write(virmidiDevice) == virmidiDevice.size();
}

bool canUnplug()
{
    return QFileInfo(virmidiDriver + "/unbind").isWritable();
}

bool succeeds(const QString &program, const QStringList &arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

// Follows one control change address as a slider would.
class Listener : public midi::ListeningControl {
public:
    Listener(int controller, int channel)
        : m_controller(controller)
        , m_channel(channel)
    {
    }
    int kind() const override { return 0; }
    int ctrlNumber() const override { return m_controller; }
    int channelNumber() const override { return m_channel; }
    QString oscAddress() const override { return {}; }
    void setMidiValue(const QVariant &value) override { values.append(value.toInt()); }

    QList<int> values;

private:
    int m_controller;
    int m_channel;
};

// The program's MIDI half as the application builds it, on the ALSA sequencer, with the
// virtual raw MIDI card and small clients of the test's own as the devices to choose.
class MidiOnAlsaTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(launch()); }

    void TearDown() override
    {
        quit();
        midi::Client::installBackend(nullptr);
    }

    // As the program starts: a new client on the sequencer, the stored preferences.
    void launch()
    {
        QString error;
        auto backend = AlsaBackend::open("Stripdeck", &error);
        if (!backend && alsaRequired())
            FAIL() << "the ALSA sequencer does not open: " << error.toStdString();
        if (!backend)
            GTEST_SKIP() << "no ALSA sequencer (" << error.toStdString() << "); scripts/alsa-tests runs "
                         << "these tests in a guest that has one";
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
        m_defaults = std::make_unique<UserDefaults>(m_dir.filePath("prefs.plist"));
        m_services = std::make_unique<MidiServices>(*m_defaults);
        m_services->setupMIDI();
        QObject::connect(midi::Client::sharedClient(), &midi::Client::setupChanged, &m_services->endpoints(),
                         &midi::MidiEndpoints::updateDeviceMenu);
        m_services->endpoints().updateDeviceMenu();
        m_services->listeners().addListener(m_listener);
    }

    void quit()
    {
        if (m_services)
            m_services->listeners().removeListener(m_listener);
        m_services.reset();
        m_defaults.reset();
        midi::Client::installBackend(nullptr);
        m_backend = nullptr;
    }

    Menu &outMenu() const { return *m_services->endpoints().midiOutSubMenu(); }
    Menu &inMenu() const { return *m_services->endpoints().midiInSubMenu(); }
    static std::shared_ptr<MenuItem> onlyPort(const Menu &menu, const QString &device)
    {
        const auto entry = menu.itemWithTitle(device);
        return entry && entry->submenu() ? entry->submenu()->itemAt(0) : nullptr;
    }
    static bool noneChecked(const Menu &menu) { return menu.itemAt(0)->state(); }

    QStringList stored(const char *direction) const
    {
        return {m_defaults->stringForKey(QString("Midi%1Device").arg(direction)),
                m_defaults->stringForKey(QString("Midi%1Port").arg(direction))};
    }

    // The program's own port addresses as the sequencer has them, by name.
    QMap<QString, int> ownPorts() const
    {
        QMap<QString, int> ports;
        snd_seq_port_info_t *info = nullptr;
        snd_seq_port_info_alloca(&info);
        snd_seq_port_info_set_client(info, m_backend->clientId());
        snd_seq_port_info_set_port(info, -1);
        while (snd_seq_query_next_port(m_backend->sequencer(), info) >= 0) {
            const unsigned caps = snd_seq_port_info_get_capability(info);
            const QString name = QString::fromUtf8(snd_seq_port_info_get_name(info));
            if (!(caps & SND_SEQ_PORT_CAP_NO_EXPORT))
                ports.insert(name + (caps & SND_SEQ_PORT_CAP_WRITE ? " in" : " out"),
                             snd_seq_port_info_get_port(info));
        }
        return ports;
    }

    // Sends until the raw MIDI device gives the bytes: a subscription made a moment ago may
    // still be on its way. amidi -d prints the bytes of each read in hex without spaces.
    bool reachesTheRawDevice(PeerProcess &dump)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_services->router().sendControl(7, 100, 1);
            if (dump.waitForOutput([](QString out) { return out.remove(' ').contains("B00764"); }, 3000))
                return true;
        }
        return false;
    }

    QTemporaryDir m_dir;
    AlsaBackend *m_backend = nullptr;
    std::unique_ptr<UserDefaults> m_defaults;
    std::unique_ptr<MidiServices> m_services;
    Listener m_listener{8, 1};
};

// The raw MIDI device chosen in both menus: user messages leave through it, bytes written into
// it reach the listeners. Unplugged, "None" is checked and the names stay stored; plugged back,
// it is connected again without a choice. Each change rebuilds the menus once, and then they
// rest.
TEST_F(MidiOnAlsaTest, TheVirtualRawMidiPortCarriesTrafficAndComesBackAfterBeingUnplugged)
{
    ASSERT_TRUE(waitFor([&] { return onlyPort(outMenu(), virmidiClient) != nullptr; }))
        << "snd-virmidi is not loaded (with-alsa-vm loads it)";
    onlyPort(outMenu(), virmidiClient)->trigger();
    onlyPort(inMenu(), virmidiClient)->trigger();
    EXPECT_EQ(stored("Out").first(), virmidiClient);
    EXPECT_EQ(stored("In").first(), virmidiClient);

    {
        SCOPED_TRACE("out through the raw device, read with amidi -d");
        PeerProcess dump;
        ASSERT_TRUE(dump.start("amidi", {"-p", virmidiRaw, "-d"}));
        EXPECT_TRUE(reachesTheRawDevice(dump)) << dump.output().toStdString();
    }
    {
        SCOPED_TRACE("in through the raw device, written with amidi -S");
        ASSERT_TRUE(succeeds("amidi", {"-p", virmidiRaw, "-S", "B0 08 33"}));
        EXPECT_TRUE(waitFor([&] { return m_listener.values.contains(0x33); }));
    }

    if (!canUnplug())
        GTEST_SKIP() << "the card cannot be unplugged here (root and snd-virmidi, as in the guest of "
                        "with-alsa-vm)";
    QSignalSpy rebuilds(midi::Client::sharedClient(), &midi::Client::setupChanged);
    const QStringList storedOut = stored("Out");
    const QStringList storedIn = stored("In");
    // Settled: the last rebuild is half a second old.
    const auto settle = [&] {
        qsizetype seen = -1;
        while (seen != rebuilds.size()) {
            seen = rebuilds.size();
            waitFor([] { return false; }, 500);
        }
    };

    {
        SCOPED_TRACE("unplugged");
        ASSERT_TRUE(setPlugged(false));
        EXPECT_TRUE(waitFor([&] { return outMenu().itemWithTitle(virmidiClient) == nullptr; }));
        settle();
        EXPECT_TRUE(noneChecked(outMenu()));
        EXPECT_TRUE(noneChecked(inMenu()));
        EXPECT_EQ(stored("Out"), storedOut);
        EXPECT_EQ(stored("In"), storedIn);
        EXPECT_EQ(rebuilds.size(), 1) << "the menus follow a change once";
    }
    {
        SCOPED_TRACE("plugged back");
        rebuilds.clear();
        ASSERT_TRUE(setPlugged(true));
        EXPECT_TRUE(waitFor([&] { return onlyPort(outMenu(), virmidiClient) != nullptr; }));
        settle();
        EXPECT_FALSE(noneChecked(outMenu()));
        EXPECT_FALSE(noneChecked(inMenu()));
        EXPECT_TRUE(onlyPort(outMenu(), virmidiClient)->state());
        EXPECT_EQ(rebuilds.size(), 1) << "the menus follow a change once";
        PeerProcess dump;
        ASSERT_TRUE(dump.start("amidi", {"-p", virmidiRaw, "-d"}));
        EXPECT_TRUE(reachesTheRawDevice(dump))
            << "reconnected without a choice: " << dump.output().toStdString();
        m_listener.values.clear();
        ASSERT_TRUE(succeeds("amidi", {"-p", virmidiRaw, "-S", "B0 08 34"}));
        EXPECT_TRUE(waitFor([&] { return m_listener.values.contains(0x34); }));
    }
}

// Two clients of one name (identical interfaces): the menus list both, the port met last is the
// one connected, and the menus come to rest.
TEST_F(MidiOnAlsaTest, TwoClientsOfOneNameEndOnTheLastAndTheMenusRest)
{
    auto first = AlsaPeer::open("Twin Synth");
    auto second = AlsaPeer::open("Twin Synth");
    ASSERT_TRUE(first && second);
    const auto twins = [&] {
        int count = 0;
        for (const auto &entry : outMenu().items())
            count += entry->title() == "Twin Synth";
        return count;
    };
    ASSERT_TRUE(waitFor([&] { return twins() == 2; }));
    onlyPort(outMenu(), "Twin Synth")->trigger();
    QSignalSpy rebuilds(midi::Client::sharedClient(), &midi::Client::setupChanged);
    waitFor([] { return false; }, 1000);
    const qsizetype afterASecond = rebuilds.size();
    waitFor([] { return false; }, 1000);
    EXPECT_EQ(rebuilds.size(), afterASecond) << "the menus keep rebuilding";
    EXPECT_LE(afterASecond, 2);

    m_services->router().sendControl(7, 100, 1);
    EXPECT_TRUE(waitFor([&] { return second->pump().contains(QByteArray::fromHex("b00764")); }));
    EXPECT_FALSE(first->pump().contains(QByteArray::fromHex("b00764")));
}

// A restart is a new client, whose number the sequencer picks; the program's ports keep their
// stored identifiers and port numbers, and the chosen device is connected again.
TEST_F(MidiOnAlsaTest, TheStoredPortIdentifiersComeBackAfterARestart)
{
    auto peer = AlsaPeer::open("Restart Synth");
    ASSERT_TRUE(peer);
    ASSERT_TRUE(waitFor([&] { return onlyPort(outMenu(), "Restart Synth") != nullptr; }));
    onlyPort(outMenu(), "Restart Synth")->trigger();
    const QStringList keys{"surface-in-UID", "surface-out-UID", "user-in-UID", "user-out-UID"};
    QList<qint64> ids;
    for (const QString &key : keys)
        ids.append(m_defaults->integerForKey(key));
    const QMap<QString, int> ports = ownPorts();
    ASSERT_EQ(ports.size(), 4) << QStringList(ports.keys()).join(", ").toStdString();

    quit();
    ASSERT_NO_FATAL_FAILURE(launch());
    QList<qint64> again;
    for (const QString &key : keys)
        again.append(m_defaults->integerForKey(key));
    EXPECT_EQ(again, ids);
    EXPECT_EQ(ownPorts(), ports);
    const auto &e = m_services->endpoints();
    EXPECT_EQ((QList<qint64>{e.virtualSurfaceInputStream()->endpoint()->uniqueID(),
                             e.virtualSurfaceOutputStream()->endpoint()->uniqueID(),
                             e.virtualUserInputStream()->endpoint()->uniqueID(),
                             e.virtualUserOutputStream()->endpoint()->uniqueID()}),
              ids);

    EXPECT_TRUE(onlyPort(outMenu(), "Restart Synth")->state());
    m_services->router().sendControl(7, 100, 1);
    EXPECT_TRUE(waitFor([&] { return peer->pump().contains(QByteArray::fromHex("b00764")); }));
}

} // namespace
