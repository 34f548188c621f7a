#pragma once

#include "osc/Message.h"
#include "osc/SlipState.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <optional>

namespace osc {

class PacketDestination;

// Decodes datagrams and SLIP streams into messages for a destination. Whatever cannot be
// read is dropped without a word; the parser itself keeps no state.
class Parser {
public:
    // A stream frame larger than this is dropped: a peer that never ends its frame must not
    // make the buffer grow without limit. UDP datagrams stay far below it.
    static constexpr qsizetype maxFrameSize = 1 << 20;
    // Bundles nest by recursion; a crafted packet of nested headers must not exhaust the stack.
    static constexpr int maxBundleDepth = 16;

    static constexpr char slipEnd = char(0xC0);
    static constexpr char slipEsc = char(0xDB);
    static constexpr char slipEscEnd = char(0xDC);
    static constexpr char slipEscEsc = char(0xDD);

    static void processOscData(QByteArrayView data, PacketDestination *destination,
                               const std::shared_ptr<Socket> &replySocket);
    static void processMessageData(QByteArrayView data, PacketDestination *destination,
                                   const std::shared_ptr<Socket> &replySocket);
    static void processBundleData(QByteArrayView data, PacketDestination *destination,
                                  const std::shared_ptr<Socket> &replySocket);
    static std::optional<Message> parseOscMessageData(QByteArrayView data);

    // Feeds one received chunk of a SLIP stream; complete frames are dispatched at once.
    // buffer and state belong to the connection and carry partial frames between chunks.
    static void translateSlipData(QByteArrayView chunk, QByteArray &buffer, SlipState &state,
                                  PacketDestination *destination);
    static QByteArray slipEncoded(QByteArrayView packet);

private:
    static bool readMessage(QByteArrayView data, Message &message);
    static void processBundleData(QByteArrayView data, PacketDestination *destination,
                                  const std::shared_ptr<Socket> &replySocket, int depth);
    static void appendToFrame(QByteArray &buffer, SlipState &state, QByteArrayView bytes);
    static void endFrame(QByteArray &buffer, SlipState &state, PacketDestination *destination);
};

} // namespace osc
