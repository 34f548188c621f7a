#include "osc/Parser.h"

#include "osc/MessageView.h"
#include "osc/PacketDestination.h"
#include "osc/Wire.h"

#include <algorithm>
#include <array>

namespace osc {

namespace {

constexpr QByteArrayView bundleTag("#bundle\0", 8);
// Time tag plus the smallest element: a size and one byte.
constexpr qsizetype minimumBundleBody = 13;

// A program hears the same few addresses over and over: keeping their strings spares an
// allocation per message. Direct-mapped, so a peer that sends a new address every time only
// replaces entries and the cache never grows.
struct CachedAddress {
    QByteArray bytes;
    QString address;
};
constexpr size_t cachedAddressSlots = 128;

QString cachedAddress(QByteArrayView text)
{
    thread_local std::array<CachedAddress, cachedAddressSlots> cache;
    // FNV-1a: cheap for the few bytes of an address.
    quint32 hash = 2166136261u;
    for (const char c : text)
        hash = (hash ^ uchar(c)) * 16777619u;
    CachedAddress &slot = cache[hash % cachedAddressSlots];
    if (slot.bytes != text) {
        slot.bytes = text.toByteArray();
        slot.address = QString::fromUtf8(text);
    }
    return slot.address;
}

char unescapedSlip(char follower)
{
    if (follower == Parser::slipEscEsc)
        return Parser::slipEsc;
    if (follower == Parser::slipEscEnd)
        return Parser::slipEnd;
    return follower;
}

bool isSlipSpecial(char c)
{
    return c == Parser::slipEnd || c == Parser::slipEsc;
}

} // namespace

void Parser::processOscData(QByteArrayView data, PacketDestination *destination,
                            const std::shared_ptr<Socket> &replySocket)
{
    if (data.isEmpty() || !destination)
        return;
    if (data.front() == '/')
        processMessageData(data, destination, replySocket);
    else if (data.front() == '#')
        processBundleData(data, destination, replySocket);
}

void Parser::processMessageData(QByteArrayView data, PacketDestination *destination,
                                const std::shared_ptr<Socket> &replySocket)
{
    auto message = parseOscMessageData(data);
    if (!message || !destination)
        return;
    message->setReplySocket(replySocket);
    destination->takeMessage(*message);
}

void Parser::processBundleData(QByteArrayView data, PacketDestination *destination,
                               const std::shared_ptr<Socket> &replySocket)
{
    processBundleData(data, destination, replySocket, 0);
}

void Parser::processBundleData(QByteArrayView data, PacketDestination *destination,
                               const std::shared_ptr<Socket> &replySocket, int depth)
{
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

std::optional<Message> Parser::parseOscMessageData(QByteArrayView data)
{
    // Every path returns this one object, so it is built where the caller wants it: moving a
    // message would move each of its arguments.
    std::optional<Message> message;
    if (!readMessage(data, message.emplace()))
        message.reset();
    return message;
}

bool Parser::readMessage(QByteArrayView data, Message &message)
{
    const auto view = MessageView::fromData(data);
    if (!view)
        return false;
    message.m_addressPattern = cachedAddress(view->address());
    message.m_arguments.reserve(view->argumentCount());
    for (const MessageView::Argument &argument : *view)
        message.m_arguments.append(argument.toArgument());
    return true;
}

void Parser::translateSlipData(QByteArrayView chunk, QByteArray &buffer, SlipState &state,
                               PacketDestination *destination)
{
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

void Parser::appendToFrame(QByteArray &buffer, SlipState &state, QByteArrayView bytes)
{
    if (state.discarding || bytes.isEmpty())
        return;
    if (buffer.size() + bytes.size() > maxFrameSize) {
        state.discarding = true;
        buffer.resize(0);
        return;
    }
    buffer.append(bytes);
}

void Parser::endFrame(QByteArray &buffer, SlipState &state, PacketDestination *destination)
{
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

QByteArray Parser::slipEncoded(QByteArrayView packet)
{
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
