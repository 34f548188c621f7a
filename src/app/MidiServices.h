#pragma once

#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/eightFaderTouchbarItem.h"
#include "midi/ListenerTables.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiInputHandler.h"
#include "midi/MidiRouter.h"
#include "midi/SurfaceFeedback.h"

class UserDefaults;

// The MIDI half of the program as one piece: the streams and port menus, the routing of
// outgoing messages, the surface feedback with the bank and strip it drives, and the
// listener cells. Incoming messages of all three inputs reach the one input handler.
class MidiServices {
public:
    explicit MidiServices(UserDefaults &defaults);
    ~MidiServices();

    // Creates the streams and endpoints through the installed MIDI backend.
    void setupMIDI();

    midi::MidiEndpoints &endpoints() { return m_endpoints; }
    midi::MidiRouter &router() { return m_router; }
    midi::ListenerTables &listeners() { return m_listeners; }
    midi::SurfaceFeedback &feedback() { return m_feedback; }
    midi::MidiInputHandler &inputHandler() { return m_handler; }
    eightFaderTouchbarItem &eightFaderItem() { return m_eightFaderItem; }
    controlStripTouchbarItem &controlStripItem() { return m_controlStripItem; }
    ControlSurfaceDelegate &surfaceDelegate() { return m_surfaceDelegate; }

private:
    eightFaderTouchbarItem m_eightFaderItem;
    controlStripTouchbarItem m_controlStripItem;
    midi::SurfaceFeedback m_feedback{m_eightFaderItem, m_controlStripItem};
    midi::ListenerTables m_listeners;
    midi::MidiInputHandler m_handler{m_feedback, m_listeners};
    midi::MidiRouter m_router;
    ControlSurfaceDelegate m_surfaceDelegate{m_router, m_feedback};
    midi::MidiEndpoints m_endpoints;
};
