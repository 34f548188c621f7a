// Any process of the user can connect to the running copy's socket and send it anything, in
// pieces of any size; the reader must stay within its bound and answer at most one request.
#include "net/InstanceRequest.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses how the rest arrives: in pieces of 1 to 256 bytes.
    const size_t piece = size_t(data[0]) + 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    InstanceRequest reader;
    int requests = 0;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype(piece)) {
        if (reader.feed(bytes.sliced(at, std::min(qsizetype(piece), bytes.size() - at))))
            ++requests;
    }
    const bool sentShow = bytes.startsWith("show\n");
    if (requests > 1 || (requests == 1) != sentShow || (sentShow && reader.failed()))
        std::abort();
    return 0;
}
