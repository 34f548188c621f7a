#include "StableId.h"

#include <QByteArray>

qint32 StableId::fromName(QStringView name)
{
    quint32 hash = 2166136261u;
    for (const char c : name.toUtf8()) {
        hash ^= static_cast<quint8>(c);
        hash *= 16777619u;
    }
    // A positive number reads the same in every property-list viewer.
    const auto id = static_cast<qint32>(hash & 0x7FFFFFFFu);
    return id == 0 ? 1 : id;
}
