// The update server's reply is read as a feed, and every version text in it as a number; any
// bytes must give a usable version (finite, never negative) and never a crash.
#include "app/UpdateFeed.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const float fromFeed = UpdateFeed::fromData(bytes).version();
    const float fromText = UpdateFeed::versionNumber(QString::fromUtf8(bytes));
    for (float version : {fromFeed, fromText})
        if (!std::isfinite(version) || version < 0)
            std::abort();
    return 0;
}
