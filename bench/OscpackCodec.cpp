#include "ComparisonCodecs.h"

#include <oscpack/osc/OscOutboundPacketStream.h>
#include <oscpack/osc/OscReceivedElements.h>

namespace comparison {

std::size_t oscpackEncodeFloat(char *buffer, std::size_t capacity, float value)
{
    osc::OutboundPacketStream stream(buffer, capacity);
    stream << osc::BeginMessage("/a/b") << value << osc::EndMessage;
    return stream.Size();
}

std::size_t oscpackEncodeMixed(char *buffer, std::size_t capacity, int i, float f, const char *s)
{
    osc::OutboundPacketStream stream(buffer, capacity);
    stream << osc::BeginMessage("/a/b") << osc::int32(i) << f << s << osc::EndMessage;
    return stream.Size();
}

double oscpackDecode(const char *data, std::size_t size)
{
    const osc::ReceivedPacket packet(data, osc::osc_bundle_element_size_t(size));
    const osc::ReceivedMessage message(packet);
    double sum = double(message.AddressPattern()[1]);
    for (auto argument = message.ArgumentsBegin(); argument != message.ArgumentsEnd(); ++argument) {
        switch (argument->TypeTag()) {
        case 'i':
            sum += argument->AsInt32Unchecked();
            break;
        case 'f':
            sum += argument->AsFloatUnchecked();
            break;
        case 's':
            sum += argument->AsStringUnchecked()[0];
            break;
        default:
            break;
        }
    }
    return sum;
}

} // namespace comparison
