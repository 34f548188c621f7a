#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace osc {

class Socket;

// A message or a bundle. Copies share the reply socket: it names the connection a packet
// arrived on, it is not owned by the packet.
class Packet {
public:
    virtual ~Packet() = default;

    virtual QByteArray packetData() const = 0;
    virtual QString asQSC() const = 0;
    virtual QString description() const = 0;

    const std::shared_ptr<Socket> &replySocket() const { return m_replySocket; }
    void setReplySocket(std::shared_ptr<Socket> socket) { m_replySocket = std::move(socket); }

protected:
    Packet() = default;
    Packet(const Packet &) = default;
    Packet(Packet &&) noexcept = default;
    Packet &operator=(const Packet &) = default;
    Packet &operator=(Packet &&) noexcept = default;

private:
    std::shared_ptr<Socket> m_replySocket;
};

} // namespace osc
