#pragma once

#include "ListenerTables.h"
#include "MessageDestination.h"
#include "SurfaceFeedback.h"

namespace midi {

// The one destination of the three input streams. What arrives on an endpoint named
// "Stripdeck Surface" is surface feedback; everything else moves the listener cells.
class MidiInputHandler : public MessageDestination {
public:
    MidiInputHandler(SurfaceFeedback &surface, ListenerTables &listeners);

    void takeMIDIMessages(const MessageList &messages) override;

private:
    SurfaceFeedback &m_surface;
    ListenerTables &m_listeners;
};

} // namespace midi
