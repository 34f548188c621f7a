// The text form is typed by users into address fields and sent as it stands: any text must
// give a message or nothing, and a message read from text must encode and decode.
#include "osc/Message.h"
#include "osc/Parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto message = osc::Message::messageWithString(text);
    if (!message)
        return 0;
    if (!osc::Message::legalAddress(message->addressPattern()))
        std::abort();
    const auto decoded = osc::Parser::parseOscMessageData(message->packetData());
    if (!decoded || decoded->packetData() != message->packetData())
        std::abort();
    osc::Message::messageWithString(message->asQSC());
    return 0;
}
