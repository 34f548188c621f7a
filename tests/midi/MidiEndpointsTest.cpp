#include "midi/MidiEndpoints.h"
#include "midi/Client.h"
#include "midi/MidiRouter.h"
#include "model/UserDefaults.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/loopback/LoopbackPorts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList identityKeys{"surface-in-UID", "surface-out-UID", "user-in-UID", "user-out-UID"};

// A virtual endpoint of a system that already uses some identifiers and refuses them.
template <typename Base> class RefusingEndpoint : public Base {
public:
    RefusingEndpoint(const QString &name, qint32 uniqueID, QSet<qint32> taken)
        : Base(name, nullptr, uniqueID)
        , m_taken(std::move(taken))
    {
    }
    void setUniqueID(qint32 uniqueID) override
    {
        if (!m_taken.contains(uniqueID))
            this->assignUniqueID(uniqueID);
    }

private:
    QSet<qint32> m_taken;
};

class RefusingBackend : public LoopbackBackend {
public:
    explicit RefusingBackend(QSet<qint32> taken)
        : m_taken(std::move(taken))
    {
    }

    std::unique_ptr<midi::OutputPort> createVirtualSource(const QString &name, qint32 uniqueID) override
    {
        const qint32 granted = uniqueID && !m_taken.contains(uniqueID) ? uniqueID : ++m_next;
        return std::make_unique<LoopbackOutputPort>(
            *this, std::make_shared<RefusingEndpoint<midi::SourceEndpoint>>(name, granted, m_taken));
    }
    std::unique_ptr<midi::InputPort> createVirtualDestination(const QString &name, qint32 uniqueID) override
    {
        const qint32 granted = uniqueID && !m_taken.contains(uniqueID) ? uniqueID : ++m_next;
        return std::make_unique<LoopbackInputPort>(
            *this, std::make_shared<RefusingEndpoint<midi::DestinationEndpoint>>(name, granted, m_taken));
    }

private:
    QSet<qint32> m_taken;
    qint32 m_next = 5000;
};

class Recorder : public midi::MessageDestination {
public:
    void takeMIDIMessages(const midi::MessageList &messages) override { m_received += messages; }
    midi::MessageList m_received;
};

// One launch of the program's MIDI half over a given backend and preferences file.
class Launch {
public:
    Launch(std::unique_ptr<LoopbackBackend> backend, const QString &prefs)
        : m_defaults(prefs)
    {
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
        m_endpoints = std::make_unique<midi::MidiEndpoints>(m_defaults);
        QObject::connect(midi::Client::sharedClient(), &midi::Client::setupChanged, m_endpoints.get(),
                         &midi::MidiEndpoints::updateDeviceMenu);
    }
    ~Launch()
    {
        m_endpoints.reset();
        midi::Client::installBackend(nullptr);
    }

    void start()
    {
        m_endpoints->setupMIDI(&m_recorder);
        m_endpoints->connectRouter(m_router);
        m_endpoints->updateDeviceMenu();
    }

    QList<qint32> endpointIDs() const
    {
        const auto &e = *m_endpoints;
        return {e.virtualSurfaceInputStream()->endpoint()->uniqueID(),
                e.virtualSurfaceOutputStream()->endpoint()->uniqueID(),
                e.virtualUserInputStream()->endpoint()->uniqueID(),
                e.virtualUserOutputStream()->endpoint()->uniqueID()};
    }
    QList<qint64> storedIDs() const
    {
        QList<qint64> ids;
        for (const QString &key : identityKeys)
            ids.append(m_defaults.objectForKey(key).isValid() ? m_defaults.integerForKey(key) : -1);
        return ids;
    }

    Menu &outMenu() { return *m_endpoints->midiOutSubMenu(); }
    Menu &inMenu() { return *m_endpoints->midiInSubMenu(); }
    std::shared_ptr<MenuItem> port(Menu &menu, qsizetype device, qsizetype port)
    {
        return menu.itemAt(device)->submenu()->itemAt(port);
    }
    QStringList stored(const char *direction)
    {
        return {m_defaults.stringForKey(QString("Midi%1Device").arg(direction)),
                m_defaults.stringForKey(QString("Midi%1Port").arg(direction))};
    }
    QStringList targetsOf(const QByteArray &bytes) const
    {
        QStringList targets;
        for (const auto &sent : m_backend->sent()) {
            if (sent.bytes == bytes)
                targets.append(sent.target);
        }
        return targets;
    }

    UserDefaults m_defaults;
    LoopbackBackend *m_backend = nullptr;
    std::unique_ptr<midi::MidiEndpoints> m_endpoints;
    Recorder m_recorder;
    midi::MidiRouter m_router;
};

// Titles and check marks, one line per entry, port entries indented under their device.
QStringList layout(const Menu &menu)
{
    QStringList lines;
    for (const auto &entry : menu.items()) {
        lines.append((entry->state() ? "[x] " : "[ ] ") + entry->title());
        if (entry->submenu()) {
            for (const auto &port : entry->submenu()->items())
                lines.append((port->state() ? "  [x] " : "  [ ] ") + port->title());
        }
    }
    return lines;
}

class MidiEndpointsTest : public ::testing::Test {
protected:
    QString prefs() const { return m_dir.filePath("prefs.plist"); }

    QTemporaryDir m_dir;
};

TEST_F(MidiEndpointsTest, FirstLaunchStoresTheIdentitiesAndTheNextKeepsThem)
{
    QList<qint32> first;
    {
        Launch launch(std::make_unique<LoopbackBackend>(), prefs());
        EXPECT_EQ(launch.storedIDs(), (QList<qint64>{-1, -1, -1, -1}));
        launch.start();
        first = launch.endpointIDs();
        EXPECT_EQ(QSet<qint32>(first.begin(), first.end()).size(), 4);
        EXPECT_FALSE(first.contains(0));
        EXPECT_EQ(launch.storedIDs(), (QList<qint64>{first[0], first[1], first[2], first[3]}));
    }
    // The next system hands out other identifiers unless asked: its first device takes some.
    auto backend = std::make_unique<LoopbackBackend>();
    backend->addDevice("Early", {"a", "b", "c"}, {"d", "e"});
    Launch launch(std::move(backend), prefs());
    launch.start();
    EXPECT_EQ(launch.endpointIDs(), first);
    EXPECT_EQ(launch.storedIDs(), (QList<qint64>{first[0], first[1], first[2], first[3]}));
}

TEST_F(MidiEndpointsTest, ARefusedIdentityLeavesTheStoredValue)
{
    {
        UserDefaults defaults(prefs());
        const QList<qint64> stored{11, 12, 13, 14};
        for (int i = 0; i < 4; ++i)
            defaults.setObject(stored[i], identityKeys[i]);
    }
    Launch launch(std::make_unique<RefusingBackend>(QSet<qint32>{11, 14}), prefs());
    launch.start();
    const QList<qint32> ids = launch.endpointIDs();
    EXPECT_NE(ids[0], 11);
    EXPECT_EQ(ids[1], 12);
    EXPECT_EQ(ids[2], 13);
    EXPECT_NE(ids[3], 14);
    EXPECT_EQ(launch.storedIDs(), (QList<qint64>{11, 12, 13, 14}));
}

TEST_F(MidiEndpointsTest, IdentityKeysAreReadAs32BitIntegers)
{
    {
        UserDefaults defaults(prefs());
        defaults.setObject((qint64(1) << 32) + 21, "surface-in-UID");
        defaults.setObject(qint64(-7), "surface-out-UID");
    }
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    EXPECT_EQ(launch.endpointIDs().mid(0, 2), (QList<qint32>{21, -7}));
}

TEST_F(MidiEndpointsTest, WithoutDevicesBothMenusHoldOnlyNoneChecked)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    EXPECT_EQ(layout(launch.outMenu()), QStringList{"[x] None"});
    EXPECT_EQ(layout(launch.inMenu()), QStringList{"[x] None"});
}

TEST_F(MidiEndpointsTest, ADeviceIsListedInBothMenusWithItsPortsOfEachDirection)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_backend->addDevice("Synth", {"Synth Out"}, {"Synth In A", "Synth In B"});
    launch.m_backend->addDevice("Keys", {"Keys Out"}, {});
    EXPECT_EQ(layout(launch.outMenu()),
              (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth In A", "  [ ] Synth In B", "[ ] Keys"}));
    EXPECT_EQ(layout(launch.inMenu()),
              (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth Out", "[ ] Keys", "  [ ] Keys Out"}));
    EXPECT_FALSE(launch.outMenu().itemAt(2)->submenu());
    EXPECT_FALSE(launch.outMenu().itemAt(1)->hasAction());
    EXPECT_EQ(launch.port(launch.outMenu(), 1, 1)->parentItem(), launch.outMenu().itemAt(1).get());
}

TEST_F(MidiEndpointsTest, ChoosingAPortConnectsItAndRemembersTheNames)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_backend->addDevice("Synth", {"Synth Out"}, {"Synth In"});
    launch.port(launch.outMenu(), 1, 0)->trigger();
    launch.port(launch.inMenu(), 1, 0)->trigger();

    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Synth", "  [x] Synth In"}));
    EXPECT_EQ(layout(launch.inMenu()), (QStringList{"[ ] None", "[ ] Synth", "  [x] Synth Out"}));
    EXPECT_EQ(launch.stored("Out"), (QStringList{"Synth", "Synth In"}));
    EXPECT_EQ(launch.stored("In"), (QStringList{"Synth", "Synth Out"}));

    launch.m_router.sendControl(7, 100, 1);
    EXPECT_EQ(launch.targetsOf(QByteArray::fromHex("b00764")), (QStringList{"Stripdeck User", "Synth In"}));
    ASSERT_TRUE(launch.m_backend->inject("Synth Out", QByteArray::fromHex("903c7f")));
    ASSERT_EQ(launch.m_recorder.m_received.size(), 1);
    EXPECT_EQ(launch.m_recorder.m_received[0].originatingEndpoint()->name(), "Synth Out");
}

TEST_F(MidiEndpointsTest, TheChosenPortIsConnectedAgainAtTheNextLaunch)
{
    {
        Launch launch(std::make_unique<LoopbackBackend>(), prefs());
        launch.start();
        launch.m_backend->addDevice("Synth", {}, {"Synth In"});
        launch.port(launch.outMenu(), 1, 0)->trigger();
    }
    auto backend = std::make_unique<LoopbackBackend>();
    backend->addDevice("Synth", {}, {"Synth In"});
    Launch launch(std::move(backend), prefs());
    launch.start();
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Synth", "  [x] Synth In"}));
    launch.m_router.sendControl(7, 1, 1);
    EXPECT_EQ(launch.targetsOf(QByteArray::fromHex("b00701")), (QStringList{"Stripdeck User", "Synth In"}));
}

TEST_F(MidiEndpointsTest, AVanishedDeviceLeavesNoneCheckedAndComesBackConnected)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    auto synth = launch.m_backend->addDevice("Synth", {"Synth Out"}, {"Synth In"});
    launch.port(launch.outMenu(), 1, 0)->trigger();
    launch.port(launch.inMenu(), 1, 0)->trigger();

    launch.m_backend->removeDevice(synth);
    EXPECT_EQ(layout(launch.outMenu()), QStringList{"[x] None"});
    EXPECT_EQ(layout(launch.inMenu()), QStringList{"[x] None"});
    EXPECT_EQ(launch.stored("Out"), (QStringList{"Synth", "Synth In"}));
    EXPECT_EQ(launch.stored("In"), (QStringList{"Synth", "Synth Out"}));

    launch.m_backend->addDevice("Other", {}, {"Other In"});
    launch.m_backend->addDevice("Synth", {"Synth Out"}, {"Synth In"});
    EXPECT_EQ(layout(launch.outMenu()),
              (QStringList{"[ ] None", "[ ] Other", "  [ ] Other In", "[ ] Synth", "  [x] Synth In"}));
    EXPECT_EQ(layout(launch.inMenu()),
              (QStringList{"[ ] None", "[ ] Other", "[ ] Synth", "  [x] Synth Out"}));
    // Connected to the endpoints of the returned device, not to those that went away.
    EXPECT_EQ(launch.m_endpoints->realOutputStream()->endpoints(),
              (QList{launch.m_backend->destinationEndpoints().last()}));
    EXPECT_EQ(launch.m_endpoints->realInputStream()->endpoints(),
              (QList{launch.m_backend->sourceEndpoints().last()}));
}

TEST_F(MidiEndpointsTest, TwoDevicesOfOneNameAreListedApartAndTheLastOneIsConnected)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_backend->addDevice("Twin", {}, {"Port", "Only First"});
    launch.m_backend->addDevice("Twin", {}, {"Port"});
    const auto first = launch.m_backend->destinationEndpoints().at(0);
    const auto second = launch.m_backend->destinationEndpoints().at(2);

    // Choosing under the first entry still ends on the port met last.
    launch.port(launch.outMenu(), 1, 0)->trigger();
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Twin", "  [x] Port", "  [ ] Only First",
                                                     "[ ] Twin", "  [ ] Port"}));
    EXPECT_EQ(launch.m_endpoints->realOutputStream()->endpoints(), QList{second});

    // A rebuild checks the port under both entries.
    launch.m_endpoints->updateDeviceMenu();
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Twin", "  [x] Port", "  [ ] Only First",
                                                     "[ ] Twin", "  [x] Port"}));
    EXPECT_EQ(launch.m_endpoints->realOutputStream()->endpoints(), QList{second});

    launch.port(launch.outMenu(), 1, 1)->trigger();
    EXPECT_EQ(launch.m_endpoints->realOutputStream()->endpoints(),
              QList{launch.m_backend->destinationEndpoints().at(1)});
    EXPECT_NE(first, second);
}

TEST_F(MidiEndpointsTest, NoneDisconnectsAndStoresADash)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_backend->addDevice("Synth", {"Synth Out"}, {"Synth In"});
    launch.port(launch.outMenu(), 1, 0)->trigger();
    launch.port(launch.inMenu(), 1, 0)->trigger();

    launch.outMenu().itemAt(0)->trigger();
    launch.inMenu().itemAt(0)->trigger();
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth In"}));
    EXPECT_EQ(launch.stored("Out"), (QStringList{"-", "-"}));
    EXPECT_EQ(launch.stored("In"), (QStringList{"-", "-"}));
    EXPECT_FALSE(launch.m_endpoints->realOutputStream()->endpoints());
    EXPECT_TRUE(launch.m_endpoints->realInputStream()->endpoints().isEmpty());

    launch.m_router.sendControl(7, 2, 1);
    EXPECT_EQ(launch.targetsOf(QByteArray::fromHex("b00702")), QStringList{"Stripdeck User"});
    launch.m_backend->inject("Synth Out", QByteArray::fromHex("903c7f"));
    EXPECT_TRUE(launch.m_recorder.m_received.isEmpty());

    launch.m_endpoints->updateDeviceMenu();
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth In"}));
}

TEST_F(MidiEndpointsTest, NamesAreComparedExactly)
{
    {
        UserDefaults defaults(prefs());
        defaults.setObject("synth", "MidiOutDevice");
        defaults.setObject("Synth In", "MidiOutPort");
    }
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_backend->addDevice("Synth", {}, {"Synth In"});
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth In"}));
    EXPECT_FALSE(launch.m_endpoints->realOutputStream()->endpoints());
}

TEST_F(MidiEndpointsTest, APortNamedNoneIsAPortLikeAnyOther)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_backend->addDevice("Odd", {}, {"None"});
    launch.port(launch.outMenu(), 1, 0)->trigger();
    EXPECT_EQ(launch.stored("Out"), (QStringList{"Odd", "None"}));
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Odd", "  [x] None"}));
    EXPECT_TRUE(launch.m_endpoints->realOutputStream()->endpoints());
}

TEST_F(MidiEndpointsTest, AnEntryOfAnEarlierMenuIsIgnored)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_backend->addDevice("Synth", {}, {"Synth In"});
    const auto stale = launch.port(launch.outMenu(), 1, 0);
    launch.m_endpoints->updateDeviceMenu();
    stale->trigger();
    EXPECT_EQ(launch.stored("Out"), (QStringList{"", ""}));
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth In"}));
}

TEST_F(MidiEndpointsTest, TheRouterGetsTheSurfaceAndUserOutputs)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    launch.m_router.sendControlSurfacePitchBend(8192, 9);
    launch.m_router.sendNoteOn(60, 1, 1);
    EXPECT_EQ(launch.targetsOf(QByteArray::fromHex("e80040")), QStringList{"Stripdeck Surface"});
    EXPECT_EQ(launch.targetsOf(QByteArray::fromHex("903c01")), QStringList{"Stripdeck User"});
}

TEST_F(MidiEndpointsTest, BothVirtualInputsDeliverToTheDestination)
{
    Launch launch(std::make_unique<LoopbackBackend>(), prefs());
    launch.start();
    ASSERT_TRUE(launch.m_backend->inject("Stripdeck Surface", QByteArray::fromHex("b00101")));
    ASSERT_TRUE(launch.m_backend->inject("Stripdeck User", QByteArray::fromHex("b00102")));
    ASSERT_EQ(launch.m_recorder.m_received.size(), 2);
    EXPECT_EQ(launch.m_recorder.m_received[0].originatingEndpoint()->name(), "Stripdeck Surface");
    EXPECT_EQ(launch.m_recorder.m_received[1].originatingEndpoint()->name(), "Stripdeck User");
}

} // namespace
