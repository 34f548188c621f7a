#include "MidiEndpoints.h"

#include "Client.h"

#include "model/UserDefaults.h"

#include <algorithm>

namespace midi {

namespace {

const QString noneTitle = QStringLiteral("None");
// Stored for a direction after the user picked "None"; no device carries this name.
const QString noneStored = QStringLiteral("-");

const QString outDeviceKey = QStringLiteral("MidiOutDevice");
const QString outPortKey = QStringLiteral("MidiOutPort");
const QString inDeviceKey = QStringLiteral("MidiInDevice");
const QString inPortKey = QStringLiteral("MidiInPort");

bool belongsTo(const Endpoint &endpoint, const Device &device)
{
    return endpoint.device() && endpoint.device()->uniqueID() == device.uniqueID();
}

// The device entry whose port submenu holds the item, or null (for "None", and for an item of
// an earlier build of the menu).
MenuItem *deviceEntryHolding(const QList<std::shared_ptr<MenuItem>> &entries, const MenuItem &item)
{
    for (const auto &entry : entries) {
        if (!entry->submenu())
            continue;
        const auto &ports = entry->submenu()->items();
        if (std::any_of(ports.begin(), ports.end(), [&](const auto &port) { return port.get() == &item; }))
            return entry.get();
    }
    return nullptr;
}

} // namespace

MidiEndpoints::MidiEndpoints(UserDefaults &defaults, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
{
}

MidiEndpoints::~MidiEndpoints() = default;

void MidiEndpoints::setupMIDI(MessageDestination *destination)
{
    if (m_realOutputStream)
        return;
    Client::sharedClient();
    m_virtualSurfaceInputStream =
        makeVirtualInput(surfaceName(), QStringLiteral("surface-in-UID"), destination);
    m_virtualSurfaceOutputStream = makeVirtualOutput(surfaceName(), QStringLiteral("surface-out-UID"));
    m_virtualUserInputStream = makeVirtualInput(userName(), QStringLiteral("user-in-UID"), destination);
    m_virtualUserOutputStream = makeVirtualOutput(userName(), QStringLiteral("user-out-UID"));
    m_realInputStream = std::make_unique<PortInputStream>();
    m_realInputStream->setMessageDestination(destination);
    m_realOutputStream = std::make_unique<PortOutputStream>();
}

void MidiEndpoints::connectRouter(MidiRouter &router) const
{
    router.setUserOutput(m_virtualUserOutputStream.get());
    router.setSurfaceOutput(m_virtualSurfaceOutputStream.get());
    router.setPortOutput(m_realOutputStream.get());
}

// Stored as a property-list integer, read as the 32-bit identifier it was written from.
qint32 MidiEndpoints::storedUID(const QString &key) const
{
    return static_cast<qint32>(m_defaults.integerForKey(key));
}

void MidiEndpoints::storeUID(qint32 uid, const QString &key)
{
    m_defaults.setObject(qint64(uid), key);
}

// The identity is only requested: a system that refuses it keeps its own, and the stored one
// stays for the next launch.
std::unique_ptr<VirtualInputStream>
MidiEndpoints::makeVirtualInput(const QString &name, const QString &uidKey, MessageDestination *destination)
{
    auto stream = std::make_unique<VirtualInputStream>();
    stream->setMessageDestination(destination);
    stream->setVirtualEndpointName(name);
    const auto endpoint = stream->endpoint();
    if (!endpoint)
        return stream;
    stream->setSelectedInputSources(stream->inputSources());
    if (const qint32 stored = storedUID(uidKey))
        endpoint->setUniqueID(stored);
    else
        storeUID(endpoint->uniqueID(), uidKey);
    return stream;
}

std::unique_ptr<VirtualOutputStream> MidiEndpoints::makeVirtualOutput(const QString &name,
                                                                      const QString &uidKey)
{
    const qint32 stored = storedUID(uidKey);
    auto stream = std::make_unique<VirtualOutputStream>(name, stored);
    if (stored == 0 && stream->endpoint())
        storeUID(stream->endpoint()->uniqueID(), uidKey);
    return stream;
}

MenuItem::Action MidiEndpoints::outAction()
{
    return [this](MenuItem &sender) { selectOutPort(sender); };
}

MenuItem::Action MidiEndpoints::inAction()
{
    return [this](MenuItem &sender) { selectInPort(sender); };
}

void MidiEndpoints::updateDeviceMenu()
{
    const PortKeys out{m_defaults.stringForKey(outDeviceKey), m_defaults.stringForKey(outPortKey)};
    const PortKeys in{m_defaults.stringForKey(inDeviceKey), m_defaults.stringForKey(inPortKey)};
    for (Menu *menu : {m_midiOutSubMenu.get(), m_midiInSubMenu.get()})
        menu->removeAllItems();
    m_midiOutSubMenu->addItem(std::make_shared<MenuItem>(noneTitle, outAction()));
    m_midiInSubMenu->addItem(std::make_shared<MenuItem>(noneTitle, inAction()));

    const auto destinations = DestinationEndpoint::destinationEndpoints();
    const auto sources = SourceEndpoint::sourceEndpoints();
    std::shared_ptr<DestinationEndpoint> outMatch;
    std::shared_ptr<SourceEndpoint> inMatch;
    for (const auto &device : Device::devices()) {
        if (!device->isOnline())
            continue;
        addDeviceEntry(*m_midiOutSubMenu, *device, destinations, out, outAction(), outMatch);
        addDeviceEntry(*m_midiInSubMenu, *device, sources, in, inAction(), inMatch);
    }
    // One connection per rebuild, made after the walk: on the ALSA sequencer every change of
    // subscription is announced and starts the next rebuild, so connecting each of two
    // same-name matches in turn would rebuild the menus without end.
    if (outMatch && m_realOutputStream)
        m_realOutputStream->setEndpoints(QList{outMatch});
    if (inMatch && m_realInputStream)
        m_realInputStream->setEndpoints(QList{inMatch});
    m_midiOutSubMenu->itemAt(0)->setState(!outMatch);
    m_midiInSubMenu->itemAt(0)->setState(!inMatch);
}

// With two devices of the same name both entries show the check mark and the match met last
// is the one connected.
template <typename EndpointType>
void MidiEndpoints::addDeviceEntry(Menu &menu, const Device &device,
                                   const QList<std::shared_ptr<EndpointType>> &endpoints,
                                   const PortKeys &keys, const MenuItem::Action &action,
                                   std::shared_ptr<EndpointType> &match)
{
    auto entry = std::make_shared<MenuItem>(device.name());
    menu.addItem(entry);
    auto ports = std::make_shared<Menu>();
    for (const auto &endpoint : endpoints) {
        if (!belongsTo(*endpoint, device))
            continue;
        auto port = std::make_shared<MenuItem>(endpoint->inputStreamSourceName(), action);
        ports->addItem(port);
        if (keys.device == entry->title() && keys.port == port->title()) {
            port->setState(true);
            match = endpoint;
        }
    }
    if (!ports->items().isEmpty())
        entry->setSubmenu(ports);
}

void MidiEndpoints::selectOutPort(MenuItem &sender)
{
    selectPort(
        sender, *m_midiOutSubMenu, {outDeviceKey, outPortKey}, DestinationEndpoint::destinationEndpoints(),
        [this](const auto &endpoint) { m_realOutputStream->setEndpoints(QList{endpoint}); },
        [this] { m_realOutputStream->setEndpoints(std::nullopt); });
}

void MidiEndpoints::selectInPort(MenuItem &sender)
{
    selectPort(
        sender, *m_midiInSubMenu, {inDeviceKey, inPortKey}, SourceEndpoint::sourceEndpoints(),
        [this](const auto &endpoint) { m_realInputStream->setEndpoints(QList{endpoint}); },
        [this] { m_realInputStream->setEndpoints({}); });
}

// "None" is told by its place at the top of the menu, not by its title, so a port that a
// device happens to call "None" is connected like any other.
template <typename EndpointType, typename Connect, typename Disconnect>
void MidiEndpoints::selectPort(MenuItem &sender, Menu &menu, const PortKeys &keys,
                               const QList<std::shared_ptr<EndpointType>> &endpoints, Connect connect,
                               Disconnect disconnect)
{
    // Held for the whole choice: a rebuild set off while connecting must not free the entries
    // (the sender among them) under this loop.
    const QList<std::shared_ptr<MenuItem>> entries = menu.items();
    if (!m_realOutputStream || entries.isEmpty())
        return;
    const bool none = entries.first().get() == &sender;
    const MenuItem *deviceEntry = deviceEntryHolding(entries, sender);
    if (!none && !deviceEntry)
        return;
    if (none) {
        disconnect();
        m_defaults.setObject(noneStored, keys.device);
        m_defaults.setObject(noneStored, keys.port);
    } else {
        // As in a rebuild, the match met last is the one connected, and only it.
        std::shared_ptr<EndpointType> match;
        for (const auto &device : Device::devices()) {
            if (!device->isOnline() || device->name() != deviceEntry->title())
                continue;
            for (const auto &endpoint : endpoints) {
                if (belongsTo(*endpoint, *device) && endpoint->inputStreamSourceName() == sender.title())
                    match = endpoint;
            }
        }
        if (match) {
            connect(match);
            m_defaults.setObject(deviceEntry->title(), keys.device);
            m_defaults.setObject(match->inputStreamSourceName(), keys.port);
        }
    }
    entries.first()->setState(none);
    for (const auto &entry : entries) {
        if (!entry->submenu())
            continue;
        for (const auto &port : entry->submenu()->items())
            port->setState(port.get() == &sender);
    }
}

} // namespace midi
