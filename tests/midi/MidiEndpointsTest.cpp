#include "midi/MidiEndpoints.h"
#include "midi/Client.h"
#include "midi/MidiRouter.h"
#include "model/UserDefaults.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/loopback/LoopbackPorts.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList identityKeys{"surface-in-UID", "surface-out-UID", "user-in-UID", "user-out-UID"};

// A virtual endpoint of a system that keeps the identifier it gave.
template <typename Base> class RefusingEndpoint : public Base {
public:
    RefusingEndpoint(const QString &name, qint32 uniqueID)
        : Base(name, nullptr, uniqueID)
    {
    }
    void setUniqueID(qint32) override {}
};

// A system whose identifiers are all taken: it grants its own, whatever is asked.
class RefusingBackend : public LoopbackBackend {
public:
    std::unique_ptr<midi::OutputPort> createVirtualSource(const QString &name, qint32) override
    {
        return std::make_unique<LoopbackOutputPort>(
            *this, std::make_shared<RefusingEndpoint<midi::SourceEndpoint>>(name, ++m_next));
    }
    std::unique_ptr<midi::InputPort> createVirtualDestination(const QString &name, qint32) override
    {
        return std::make_unique<LoopbackInputPort>(
            *this, std::make_shared<RefusingEndpoint<midi::DestinationEndpoint>>(name, ++m_next));
    }

private:
    qint32 m_next = 5000;
};

// A system that announces every change of a private port's connections a little later, as the
// ALSA sequencer announces each subscription made or removed. It stops announcing after a
// bound, so that a program that keeps changing its connections fails the test instead of
// hanging it.
class AnnouncingBackend : public LoopbackBackend {
public:
    static constexpr int kMaxAnnouncements = 100;

    std::unique_ptr<midi::OutputPort> createPortOutput() override { return std::make_unique<Output>(*this); }
    std::unique_ptr<midi::InputPort> createPortInput() override { return std::make_unique<Input>(*this); }

    int changes() const { return m_changes; }

private:
    template <typename List> void changed(List &held, const List &wanted)
    {
        if (held == wanted)
            return;
        held = wanted;
        if (++m_changes <= kMaxAnnouncements)
            QMetaObject::invokeMethod(
                this, [this] { Q_EMIT setupChanged(); }, Qt::QueuedConnection);
    }

    class Output : public LoopbackOutputPort {
    public:
        explicit Output(AnnouncingBackend &backend)
            : LoopbackOutputPort(backend, nullptr)
            , m_backend(backend)
        {
        }
        void connectTo(const QList<std::shared_ptr<midi::DestinationEndpoint>> &destinations) override
        {
            LoopbackOutputPort::connectTo(destinations);
            m_backend.changed(m_held, destinations);
        }

    private:
        AnnouncingBackend &m_backend;
        QList<std::shared_ptr<midi::DestinationEndpoint>> m_held;
    };

    class Input : public LoopbackInputPort {
    public:
        explicit Input(AnnouncingBackend &backend)
            : LoopbackInputPort(backend, nullptr)
            , m_backend(backend)
        {
        }
        void connectFrom(const QList<std::shared_ptr<midi::SourceEndpoint>> &sources) override
        {
            LoopbackInputPort::connectFrom(sources);
            m_backend.changed(m_held, sources);
        }

    private:
        AnnouncingBackend &m_backend;
        QList<std::shared_ptr<midi::SourceEndpoint>> m_held;
    };

    int m_changes = 0;
};

// Where each message delivered came from.
class Recorder : public midi::MessageDestination {
public:
    void takeMIDIMessages(const midi::MessageList &messages) override
    {
        for (const auto &message : messages)
            m_origins.append(message.originatingEndpoint()->name());
    }
    QStringList m_origins;
};

// One launch of the program's MIDI half over a given backend and preferences file.
class Launch {
public:
    Launch(const QString &prefs,
           std::unique_ptr<LoopbackBackend> backend = std::make_unique<LoopbackBackend>())
        : m_defaults(prefs)
        , m_backend(backend.get())
    {
        midi::Client::installBackend(std::move(backend));
        m_endpoints = std::make_unique<midi::MidiEndpoints>(m_defaults);
        QObject::connect(midi::Client::sharedClient(), &midi::Client::setupChanged, m_endpoints.get(),
                         &midi::MidiEndpoints::updateDeviceMenu);
        m_endpoints->setupMIDI(&m_recorder);
        m_endpoints->connectRouter(m_router);
        m_endpoints->updateDeviceMenu();
    }
    ~Launch()
    {
        m_endpoints.reset();
        midi::Client::installBackend(nullptr);
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
            ids.append(m_defaults.integerForKey(key));
        return ids;
    }

    Menu &outMenu() { return *m_endpoints->midiOutSubMenu(); }
    Menu &inMenu() { return *m_endpoints->midiInSubMenu(); }
    static void choose(Menu &menu, qsizetype device, qsizetype port)
    {
        menu.itemAt(device)->submenu()->itemAt(port)->trigger();
    }
    QStringList stored(const char *direction)
    {
        return {m_defaults.stringForKey(QString("Midi%1Device").arg(direction)),
                m_defaults.stringForKey(QString("Midi%1Port").arg(direction))};
    }
    QStringList targetsOf(const char *hex) const
    {
        QStringList targets;
        for (const auto &sent : m_backend->sent()) {
            if (sent.bytes == QByteArray::fromHex(hex))
                targets.append(sent.target);
        }
        return targets;
    }
    QList<std::shared_ptr<midi::DestinationEndpoint>> portOut() const
    {
        return m_endpoints->realOutputStream()->endpoints().value_or(
            QList<std::shared_ptr<midi::DestinationEndpoint>>{});
    }

    UserDefaults m_defaults;
    LoopbackBackend *m_backend;
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
    void store(const QVariantMap &values) const
    {
        UserDefaults defaults(prefs());
        for (auto it = values.begin(); it != values.end(); ++it)
            defaults.setObject(it.value(), it.key());
    }

    QTemporaryDir m_dir;
};

// Stored identities are read as 32-bit integers; the missing ones are made and stored.
TEST_F(MidiEndpointsTest, TheFirstLaunchStoresTheIdentitiesAndTheNextKeepsThem)
{
    store({{"surface-in-UID", (qint64(1) << 32) + 21}, {"surface-out-UID", qint64(-7)}});
    QList<qint32> first;
    {
        Launch launch(prefs());
        first = launch.endpointIDs();
        EXPECT_EQ(first.mid(0, 2), (QList<qint32>{21, -7}));
        EXPECT_EQ(QSet<qint32>(first.begin(), first.end()).size(), 4);
        EXPECT_EQ(launch.storedIDs().mid(2), (QList<qint64>{first[2], first[3]}));
    }
    // The next system hands out other identifiers unless asked: its first device takes some.
    auto backend = std::make_unique<LoopbackBackend>();
    backend->addDevice("Early", {"a", "b", "c"}, {"d", "e"});
    Launch launch(prefs(), std::move(backend));
    EXPECT_EQ(launch.endpointIDs(), first);
}

TEST_F(MidiEndpointsTest, ARefusedIdentityLeavesTheStoredValue)
{
    store({{"surface-in-UID", 11}, {"surface-out-UID", 12}, {"user-in-UID", 13}, {"user-out-UID", 14}});
    Launch launch(prefs(), std::make_unique<RefusingBackend>());
    EXPECT_EQ(launch.endpointIDs(), (QList<qint32>{5001, 5002, 5003, 5004}));
    EXPECT_EQ(launch.storedIDs(), (QList<qint64>{11, 12, 13, 14}));
}

// A choice holds across launches until "None" is chosen.
TEST_F(MidiEndpointsTest, AChosenPortIsConnectedAtThisAndTheNextLaunchAndNoneDisconnectsIt)
{
    {
        Launch launch(prefs());
        launch.m_backend->addDevice("Synth", {"Synth Out"}, {"Synth In"});
        Launch::choose(launch.outMenu(), 1, 0);
        Launch::choose(launch.inMenu(), 1, 0);
        EXPECT_EQ(launch.stored("Out"), (QStringList{"Synth", "Synth In"}));
        EXPECT_EQ(launch.stored("In"), (QStringList{"Synth", "Synth Out"}));
    }
    auto backend = std::make_unique<LoopbackBackend>();
    backend->addDevice("Synth", {"Synth Out"}, {"Synth In"});
    Launch launch(prefs(), std::move(backend));
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Synth", "  [x] Synth In"}));
    EXPECT_EQ(layout(launch.inMenu()), (QStringList{"[ ] None", "[ ] Synth", "  [x] Synth Out"}));
    launch.m_router.sendControl(7, 100, 1);
    EXPECT_EQ(launch.targetsOf("b00764"), (QStringList{"Stripdeck User", "Synth In"}));
    ASSERT_TRUE(launch.m_backend->inject("Synth Out", QByteArray::fromHex("903c7f")));
    EXPECT_EQ(launch.m_recorder.m_origins, QStringList{"Synth Out"});

    launch.outMenu().itemAt(0)->trigger();
    launch.inMenu().itemAt(0)->trigger();
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth In"}));
    EXPECT_EQ(launch.stored("Out"), (QStringList{"-", "-"}));
    EXPECT_EQ(launch.stored("In"), (QStringList{"-", "-"}));
    launch.m_router.sendControl(7, 2, 1);
    EXPECT_EQ(launch.targetsOf("b00702"), QStringList{"Stripdeck User"});
    launch.m_backend->inject("Synth Out", QByteArray::fromHex("903c7f"));
    EXPECT_EQ(launch.m_recorder.m_origins, QStringList{"Synth Out"});
}

TEST_F(MidiEndpointsTest, TwoDevicesOfOneNameAreListedApartAndTheLastOneIsConnected)
{
    Launch launch(prefs());
    launch.m_backend->addDevice("Twin", {}, {"Port", "Only First"});
    launch.m_backend->addDevice("Twin", {}, {"Port"});
    const auto ports = launch.m_backend->destinationEndpoints();

    // Choosing under the first entry still ends on the port met last.
    Launch::choose(launch.outMenu(), 1, 0);
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Twin", "  [x] Port", "  [ ] Only First",
                                                     "[ ] Twin", "  [ ] Port"}));
    EXPECT_EQ(launch.portOut(), QList{ports.at(2)});
    // A rebuild checks the port under both entries.
    launch.m_endpoints->updateDeviceMenu();
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[ ] None", "[ ] Twin", "  [x] Port", "  [ ] Only First",
                                                     "[ ] Twin", "  [x] Port"}));
    EXPECT_EQ(launch.portOut(), QList{ports.at(2)});
    Launch::choose(launch.outMenu(), 1, 1);
    EXPECT_EQ(launch.portOut(), QList{ports.at(1)});
}

// Each rebuild connects once, to the last match, so a system that announces its own
// subscriptions (and so starts the next rebuild) comes to rest.
TEST_F(MidiEndpointsTest, TwoDevicesOfOneNameDoNotStartARebuildLoop)
{
    store({{"MidiOutDevice", "Twin"},
           {"MidiOutPort", "Port"},
           {"MidiInDevice", "Twin"},
           {"MidiInPort", "Port"}});
    auto owned = std::make_unique<AnnouncingBackend>();
    AnnouncingBackend &backend = *owned;
    Launch launch(prefs(), std::move(owned));
    backend.addDevice("Twin", {"Port"}, {"Port"});
    backend.addDevice("Twin", {"Port"}, {"Port"});
    Launch::choose(launch.outMenu(), 2, 0);
    for (int turn = 0; turn < 50; ++turn)
        QCoreApplication::processEvents();
    // The first device connected both directions, the second moved them: four changes.
    EXPECT_EQ(backend.changes(), 4);
    EXPECT_EQ(launch.portOut(), QList{backend.destinationEndpoints().at(1)});
    EXPECT_EQ(layout(launch.outMenu()),
              (QStringList{"[ ] None", "[ ] Twin", "  [x] Port", "[ ] Twin", "  [x] Port"}));
}

// Stored names are matched exactly, "None" as a port name is a name like any other, and an
// entry of a menu since rebuilt does nothing.
TEST_F(MidiEndpointsTest, OnlyAnExactNameOfACurrentEntryConnects)
{
    store({{"MidiOutDevice", "synth"}, {"MidiOutPort", "Synth In"}});
    Launch launch(prefs());
    launch.m_backend->addDevice("Synth", {}, {"Synth In"});
    EXPECT_EQ(layout(launch.outMenu()), (QStringList{"[x] None", "[ ] Synth", "  [ ] Synth In"}));
    EXPECT_TRUE(launch.portOut().isEmpty());

    const auto stale = launch.outMenu().itemAt(1)->submenu()->itemAt(0);
    launch.m_endpoints->updateDeviceMenu();
    stale->trigger();
    EXPECT_EQ(launch.stored("Out"), (QStringList{"synth", "Synth In"}));
    EXPECT_TRUE(launch.portOut().isEmpty());

    launch.m_backend->addDevice("Odd", {}, {"None"});
    Launch::choose(launch.outMenu(), 2, 0);
    EXPECT_EQ(launch.stored("Out"), (QStringList{"Odd", "None"}));
    EXPECT_EQ(layout(launch.outMenu()),
              (QStringList{"[ ] None", "[ ] Synth", "  [ ] Synth In", "[ ] Odd", "  [x] None"}));
    EXPECT_EQ(launch.portOut().size(), 1);
}

} // namespace
