// Desktop files are written by whatever package installed them, and WM_CLASS by whatever client
// owns the active window; reading either must never crash or read past the bytes given.
#include "app/ApplicationCatalog.h"
#include "app/DesktopEntry.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    DesktopEntry::parse(bytes, QStringLiteral("de_DE"));
    static const ApplicationCatalog noApplications{QStringList()};
    noApplications.identifierForWmClass(bytes);
    return 0;
}
