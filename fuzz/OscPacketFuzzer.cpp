// Datagrams come from anyone on the network: any bytes must decode to messages or to nothing,
// and every message decoded must encode back to bytes that decode to the same message.
#include "osc/Message.h"
#include "osc/PacketDestination.h"
#include "osc/Parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct ReEncoder : osc::PacketDestination {
    void takeMessage(const osc::Message &message) override
    {
        const QByteArray data = message.packetData();
        const auto again = osc::Parser::parseOscMessageData(data);
        if (!again || again->packetData() != data)
            std::abort();
        message.description();
        message.asQSC();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ReEncoder destination;
    osc::Parser::processOscData(bytes, &destination, {});
    if (const auto message = osc::Parser::parseOscMessageData(bytes))
        destination.takeMessage(*message);
    return 0;
}
