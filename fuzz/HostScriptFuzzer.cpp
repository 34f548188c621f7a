// Host simulator scripts are files users write by hand; any text must parse to steps or to
// an error naming a line, never crash.
#include "HostScript.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const auto steps =
        HostScript::parse(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)), &error);
    if (!steps && error.isEmpty())
        std::abort();
    return 0;
}
