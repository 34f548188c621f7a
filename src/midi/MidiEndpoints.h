#pragma once

#include "MessageDestination.h"
#include "MidiRouter.h"
#include "PortInputStream.h"
#include "PortOutputStream.h"
#include "VirtualInputStream.h"
#include "VirtualOutputStream.h"

#include "model/Menu.h"

#include <QObject>

#include <memory>

class UserDefaults;

namespace midi {

// The program's six streams: the virtual "Stripdeck Surface" and "Stripdeck User" pairs, whose
// identities are kept across launches, and the port pair the user picks in the "Midi Out"
// and "Midi In" menus. A port is remembered by device and port name, so it is connected again
// whenever it comes back.
class MidiEndpoints : public QObject {
    Q_OBJECT
public:
    explicit MidiEndpoints(UserDefaults &defaults, QObject *parent = nullptr);
    ~MidiEndpoints() override;

    static QString surfaceName() { return QStringLiteral("Stripdeck Surface"); }
    static QString userName() { return QStringLiteral("Stripdeck User"); }

    // Creates the streams once; the three inputs deliver to destination, which must outlive them.
    void setupMIDI(MessageDestination *destination);
    // Gives the router the user, surface and port outputs; call after setupMIDI.
    void connectRouter(MidiRouter &router) const;

    // The submenus of "Midi Out" and "Midi In"; filled by updateDeviceMenu.
    const std::shared_ptr<Menu> &midiOutSubMenu() const { return m_midiOutSubMenu; }
    const std::shared_ptr<Menu> &midiInSubMenu() const { return m_midiInSubMenu; }

    // The actions of the port entries and of "None".
    void selectOutPort(MenuItem &sender);
    void selectInPort(MenuItem &sender);

    VirtualInputStream *virtualSurfaceInputStream() const { return m_virtualSurfaceInputStream.get(); }
    VirtualOutputStream *virtualSurfaceOutputStream() const { return m_virtualSurfaceOutputStream.get(); }
    VirtualInputStream *virtualUserInputStream() const { return m_virtualUserInputStream.get(); }
    VirtualOutputStream *virtualUserOutputStream() const { return m_virtualUserOutputStream.get(); }
    PortInputStream *realInputStream() const { return m_realInputStream.get(); }
    PortOutputStream *realOutputStream() const { return m_realOutputStream.get(); }

public Q_SLOTS:
    // Rebuilds both menus and connects the remembered ports that are online. It never
    // disconnects: a port that went away leaves "None" checked and its names stored.
    void updateDeviceMenu();

private:
    struct PortKeys {
        QString device;
        QString port;
    };

    qint32 storedUID(const QString &key) const;
    void storeUID(qint32 uid, const QString &key);
    std::unique_ptr<VirtualInputStream> makeVirtualInput(const QString &name, const QString &uidKey,
                                                         MessageDestination *destination);
    std::unique_ptr<VirtualOutputStream> makeVirtualOutput(const QString &name, const QString &uidKey);

    // Adds the device's entry with its ports; a port matching the stored names is checked
    // and becomes the match.
    template <typename EndpointType>
    void addDeviceEntry(Menu &menu, const Device &device,
                        const QList<std::shared_ptr<EndpointType>> &endpoints, const PortKeys &keys,
                        const MenuItem::Action &action, std::shared_ptr<EndpointType> &match);
    template <typename EndpointType, typename Connect, typename Disconnect>
    void selectPort(MenuItem &sender, Menu &menu, const PortKeys &keys,
                    const QList<std::shared_ptr<EndpointType>> &endpoints, Connect connect,
                    Disconnect disconnect);
    MenuItem::Action outAction();
    MenuItem::Action inAction();

    UserDefaults &m_defaults;
    std::shared_ptr<Menu> m_midiOutSubMenu = std::make_shared<Menu>();
    std::shared_ptr<Menu> m_midiInSubMenu = std::make_shared<Menu>();
    std::unique_ptr<VirtualInputStream> m_virtualSurfaceInputStream;
    std::unique_ptr<VirtualOutputStream> m_virtualSurfaceOutputStream;
    std::unique_ptr<VirtualInputStream> m_virtualUserInputStream;
    std::unique_ptr<VirtualOutputStream> m_virtualUserOutputStream;
    std::unique_ptr<PortInputStream> m_realInputStream;
    std::unique_ptr<PortOutputStream> m_realOutputStream;
};

} // namespace midi
