#pragma once

#include <memory>

namespace osc {

class Socket;

// What the SLIP decoder keeps per connection between chunks, beside the frame buffer.
struct SlipState {
    // Reply socket of the decoded packets; a chunk for a state without one is ignored.
    std::shared_ptr<Socket> socket;
    // The previous chunk ended in ESC; its follow-up byte is the first of the next chunk.
    bool danglingEsc = false;
    // The current frame passed the size cap; bytes are dropped until the next END.
    bool discarding = false;
};

} // namespace osc
