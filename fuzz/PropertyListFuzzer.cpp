// Property lists arrive from outside in the preferences file, settings files and the update
// feed; reading any bytes must end in a value or in nothing, never in a crash.
#include "model/PropertyList.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto value =
        PropertyList::fromData(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (value)
        PropertyList::toXml(*value);
    return 0;
}
