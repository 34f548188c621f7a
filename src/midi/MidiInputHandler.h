#pragma once

#include "ListenerTables.h"
#include "MessageDestination.h"
#include "SurfaceProtocol.h"

namespace midi {

// The one destination of the three input streams. What arrives on an endpoint named
// "Stripdeck Surface" goes to the surface protocol; everything else moves the listener cells.
class MidiInputHandler : public MessageDestination {
public:
    MidiInputHandler(SurfaceProtocol &surface, ListenerTables &listeners);

    void takeMIDIMessages(const MessageList &messages) override;

private:
    SurfaceProtocol &m_surface;
    ListenerTables &m_listeners;
};

} // namespace midi
