#include "osc/Parser.h"

#include "osc/PacketDestination.h"
#include "osc/Wire.h"

#include <algorithm>

namespace osc {

namespace {

constexpr QByteArrayView bundleTag("#bundle\0", 8);
// Time tag plus the smallest element: a size and one byte.
constexpr qsizetype minimumBundleBody = 13;

char unescapedSlip(char follower) {
    if (follower == Parser::slipEscEsc)
        return Parser::slipEsc;
    if (follower == Parser::slipEscEnd)
        return Parser::slipEnd;
    return follower;
}

bool isSlipSpecial(char c) {
    return c == Parser::slipEnd || c == Parser::slipEsc;
}

} // namespace

void Parser::processOscData(QByteArrayView data, PacketDestination *destination,
                            const std::shared_ptr<Socket> &replySocket) {
    if (data.isEmpty() || !destination)
        return;
    if (data.front() == '/')
        processMessageData(data, destination, replySocket);
    else if (data.front() == '#')
        processBundleData(data, destination, replySocket);
}

void Parser::processMessageData(QByteArrayView data, PacketDestination *destination,
                                const std::shared_ptr<Socket> &replySocket) {
    auto message = parseOscMessageData(data);
    if (!message || !destination)
        return;
    message->setReplySocket(replySocket);
    destination->takeMessage(*message);
}

void Parser::processBundleData(QByteArrayView data, PacketDestination *destination,
                               const std::shared_ptr<Socket> &replySocket) {
    processBundleData(data, destination, replySocket, 0);
}

void Parser::processBundleData(QByteArrayView data, PacketDestination *destination,
                               const std::shared_ptr<Socket> &replySocket, int depth) {
    if (!data.startsWith(bundleTag) || data.size() - bundleTag.size() < minimumBundleBody)
        return;
    qsizetype position = bundleTag.size() + 8;
    while (data.size() - position > 4) {
        const quint32 size = Wire::readUInt32(data.data() + position);
        position += 4;
        if (size > quint64(data.size() - position) || size == 0)
            return;
        const QByteArrayView element = data.sliced(position, qsizetype(size));
        if (element.front() == '/')
            processMessageData(element, destination, replySocket);
        else if (element.front() != '#')
            return;
        else if (depth < maxBundleDepth)
            processBundleData(element, destination, replySocket, depth + 1);
        position += qsizetype(size);
    }
}

std::optional<Message> Parser::parseOscMessageData(QByteArrayView data) {
    qsizetype length = 0;
    auto address = Wire::stringWithOSCStringBytes(data, length);
    if (!address || length > data.size() || !address->startsWith(u'/'))
        return std::nullopt;
    qsizetype position = length;
    QVariantList arguments;
    if (position < data.size() && data[position] == ',') {
        const QByteArrayView rest = data.sliced(position);
        const auto zero = std::find(rest.begin(), rest.end(), '\0');
        if (zero == rest.end())
            return std::nullopt;
        const QByteArrayView tags(rest.begin() + 1, zero);
        position = std::min(data.size(), position + Wire::padded(zero - rest.begin() + 1));
        arguments.reserve(tags.size());
        for (const char tag : tags) {
            const QByteArrayView remaining = data.sliced(position);
            std::optional<QVariant> value;
            qsizetype consumed = 4;
            switch (tag) {
            case 'i':
                if (const auto number = Wire::numberWithOSCIntBytes(remaining))
                    value = *number;
                break;
            case 'f':
                if (const auto number = Wire::numberWithOSCFloatBytes(remaining))
                    value = *number;
                break;
            case 's':
                if (auto text = Wire::stringWithOSCStringBytes(remaining, consumed))
                    value = std::move(*text);
                break;
            case 'b':
                if (auto blob = Wire::dataWithOSCBlobBytes(remaining, consumed))
                    value = std::move(*blob);
                break;
            default:
                break;
            }
            if (!value)
                return std::nullopt;
            arguments.append(std::move(*value));
            // The final value's padding may be missing; there is nothing after it to misread.
            position = std::min(data.size(), position + consumed);
        }
    }
    return Message(Message::Decoded{}, std::move(*address), std::move(arguments));
}

void Parser::translateSlipData(QByteArrayView chunk, QByteArray &buffer, SlipState &state,
                               PacketDestination *destination) {
    if (!state.socket)
        return;
    const char *in = chunk.begin();
    const char *end = chunk.end();
    if (state.danglingEsc && in != end) {
        state.danglingEsc = false;
        const char byte = unescapedSlip(*in++);
        appendToFrame(buffer, state, QByteArrayView(&byte, 1));
    }
    while (in != end) {
        const char *special = std::find_if(in, end, isSlipSpecial);
        appendToFrame(buffer, state, QByteArrayView(in, special));
        in = special;
        if (in == end)
            break;
        if (*in == slipEnd) {
            endFrame(buffer, state, destination);
            ++in;
        } else if (in + 1 == end) {
            state.danglingEsc = true;
            ++in;
        } else {
            const char byte = unescapedSlip(in[1]);
            appendToFrame(buffer, state, QByteArrayView(&byte, 1));
            in += 2;
        }
    }
}

void Parser::appendToFrame(QByteArray &buffer, SlipState &state, QByteArrayView bytes) {
    if (state.discarding || bytes.isEmpty())
        return;
    if (buffer.size() + bytes.size() > maxFrameSize) {
        state.discarding = true;
        buffer.resize(0);
        return;
    }
    buffer.append(bytes);
}

void Parser::endFrame(QByteArray &buffer, SlipState &state, PacketDestination *destination) {
    if (state.discarding) {
        state.discarding = false;
        return;
    }
    // Dispatch from a frame of our own: the destination may clear or refill the buffer.
    QByteArray frame = std::exchange(buffer, QByteArray());
    processOscData(frame, destination, state.socket);
    if (buffer.isEmpty()) {
        frame.resize(0);
        buffer = std::move(frame);
    }
}

QByteArray Parser::slipEncoded(QByteArrayView packet) {
    const auto specials = std::count_if(packet.begin(), packet.end(), isSlipSpecial);
    QByteArray frame(packet.size() + specials + 2, Qt::Uninitialized);
    char *out = frame.data();
    *out++ = slipEnd;
    for (const char byte : packet) {
        if (byte == slipEnd) {
            *out++ = slipEsc;
            *out++ = slipEscEnd;
        } else if (byte == slipEsc) {
            *out++ = slipEsc;
            *out++ = slipEscEsc;
        } else {
            *out++ = byte;
        }
    }
    *out = slipEnd;
    return frame;
}

} // namespace osc
