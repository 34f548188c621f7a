#pragma once

#include "Message.h"

namespace midi {

// Receives lists of messages; output streams send what they take, the application handles
// what the input streams deliver.
class MessageDestination {
public:
    virtual ~MessageDestination() = default;
    virtual void takeMIDIMessages(const MessageList &messages) = 0;
};

} // namespace midi
