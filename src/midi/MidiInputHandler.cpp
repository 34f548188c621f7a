#include "MidiInputHandler.h"

#include "Endpoint.h"
#include "MidiEndpoints.h"

namespace midi {

MidiInputHandler::MidiInputHandler(SurfaceProtocol &surface, ListenerTables &listeners)
    : m_surface(surface)
    , m_listeners(listeners)
{
}

// The test is by name only: a port of another program that carries the surface name is
// taken as surface feedback too.
void MidiInputHandler::takeMIDIMessages(const MessageList &messages)
{
    for (const Message &message : messages) {
        const auto &origin = message.originatingEndpoint();
        if (origin && origin->name() == MidiEndpoints::surfaceName())
            m_surface.takeSurfaceMessage(message);
        else
            m_listeners.takeListenerMessage(message);
    }
}

} // namespace midi
