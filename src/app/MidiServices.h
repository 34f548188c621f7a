#pragma once

#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/eightFaderTouchbarItem.h"
#include "midi/ListenerTables.h"
#include "midi/MackieControlProtocol.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiInputHandler.h"
#include "midi/MidiRouter.h"
#include "midi/SurfaceFeedback.h"
#include "midi/SurfaceProtocolSwitch.h"

class UserDefaults;

// The MIDI half of the program as one piece: the streams and port menus, the routing of
// outgoing messages, the surface protocols with the bank and strip they drive, and the
// listener cells. Incoming messages of all three inputs reach the one input handler.
class MidiServices {
public:
    // Values of the "SurfaceProtocol" preference; absent or anything else is the native one.
    static QString nativeProtocolName() { return QStringLiteral("native"); }
    static QString mackieProtocolName() { return QStringLiteral("mackie"); }

    explicit MidiServices(UserDefaults &defaults);
    ~MidiServices();

    // Creates the streams and endpoints through the installed MIDI backend and takes up the
    // surface protocol of the preferences.
    void setupMIDI();

    // The surface protocol in use, by preference value.
    QString surfaceProtocol() const;
    // Stores the choice and switches at once; the ports and their connections stay.
    void setSurfaceProtocol(const QString &name);

    midi::MidiEndpoints &endpoints() { return m_endpoints; }
    midi::MidiRouter &router() { return m_router; }
    midi::ListenerTables &listeners() { return m_listeners; }
    midi::SurfaceFeedback &feedback() { return m_feedback; }
    midi::MackieControlProtocol &mackie() { return m_mackie; }
    midi::MidiInputHandler &inputHandler() { return m_handler; }
    eightFaderTouchbarItem &eightFaderItem() { return m_eightFaderItem; }
    controlStripTouchbarItem &controlStripItem() { return m_controlStripItem; }
    ControlSurfaceDelegate &surfaceDelegate() { return m_surfaceDelegate; }

private:
    UserDefaults &m_defaults;
    eightFaderTouchbarItem m_eightFaderItem;
    controlStripTouchbarItem m_controlStripItem;
    midi::MidiRouter m_router;
    midi::SurfaceFeedback m_feedback{m_eightFaderItem, m_controlStripItem};
    midi::MackieControlProtocol m_mackie{m_eightFaderItem, m_controlStripItem, m_router};
    midi::SurfaceProtocolSwitch m_protocol{m_feedback};
    midi::ListenerTables m_listeners;
    midi::MidiInputHandler m_handler{m_protocol, m_listeners};
    ControlSurfaceDelegate m_surfaceDelegate{m_router, m_protocol};
    midi::MidiEndpoints m_endpoints;
};
