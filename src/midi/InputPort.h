#pragma once

#include "DestinationEndpoint.h"
#include "Message.h"
#include "SourceEndpoint.h"

#include <QList>

#include <functional>
#include <memory>

namespace midi {

// A receiving port of the program, made by a backend. The handler runs on the main thread,
// with messages in arrival order, each carrying the endpoint it arrived on.
class InputPort {
public:
    using Handler = std::function<void(const MessageList &)>;

    virtual ~InputPort() = default;
    virtual void setHandler(Handler handler) = 0;
    // Only private ports take sources; a virtual port receives from whoever connects to it.
    virtual void connectFrom(const QList<std::shared_ptr<SourceEndpoint>> &sources) = 0;
    // The published endpoint of a virtual port, null for a private one.
    virtual std::shared_ptr<DestinationEndpoint> endpoint() const = 0;
};

} // namespace midi
