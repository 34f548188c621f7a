// Stored hot keys come from the preferences file and from settings files, which anyone can
// edit: every "HotKeys" dictionary must give a hot key or none per name, and every value taken
// must split into a key code and flags that store back to it.
#include "app/HotKeyPreferences.h"
#include "app/KeyStrings.h"
#include "model/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto root =
        PropertyList::fromData(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!root)
        return 0;
    const QVariantMap map = root->toMap();
    const QVariantMap keys = map.value(QStringLiteral("HotKeys"), map).toMap();
    for (const QString &name : HotKeyPreferences::names()) {
        const auto value = HotKeyPreferences::valueFrom(keys.value(name));
        if (!value)
            continue;
        const quint16 keyCode = HotKeyPreferences::keyCodeOf(*value);
        const quint64 flags = HotKeyPreferences::modifierFlagsOf(*value);
        // Bits 8 to 15 belong to neither part; the stored form drops them.
        const qint64 restored = HotKeyPreferences::storedValue(keyCode, flags);
        if (restored != (*value & ~qint64(0xff00)) || !HotKeyPreferences::valueFrom(restored))
            std::abort();
        KeyStrings::keyStringForKeyCode(keyCode, flags, nullptr);
    }
    return 0;
}
