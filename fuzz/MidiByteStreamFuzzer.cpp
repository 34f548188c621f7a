// MIDI bytes arrive from any program connected to Stripdeck's inputs, cut into chunks as the
// MIDI system pleases. The first input byte picks the chunk size, the rest is the stream;
// every message that comes out must be well formed.
#include "MidiByteStream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype chunk = 1 + data[0];
    const QByteArrayView stream(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    MidiByteStream parser;
    for (qsizetype offset = 0; offset < stream.size(); offset += chunk) {
        for (const QByteArray &message :
             parser.append(stream.sliced(offset, std::min(chunk, stream.size() - offset)))) {
            const auto status = quint8(message.at(0));
            if (status < 0x80 || (status == 0xF0 && quint8(message.back()) != 0xF7))
                std::abort();
            for (qsizetype i = 1; i + 1 < message.size(); ++i) {
                if (quint8(message.at(i)) >= 0x80)
                    std::abort();
            }
        }
    }
    return 0;
}
