#include "AttachmentRecord.h"

namespace {
const QString bundleIDKey = QStringLiteral("bundleID");
const QString controlSurfaceModeKey = QStringLiteral("controlSurfaceMode");
const QString userTouchbarNumberKey = QStringLiteral("userTouchbarNumber");
} // namespace

AttachmentRecord AttachmentRecord::fromVariant(const QVariant &stored)
{
    const QVariantMap map = stored.toMap();
    return {map.value(bundleIDKey).toString(), map.value(controlSurfaceModeKey).toBool(),
            map.value(userTouchbarNumberKey).toInt()};
}

QVariantMap AttachmentRecord::toVariant() const
{
    return {{bundleIDKey, bundleID},
            {controlSurfaceModeKey, controlSurfaceMode},
            {userTouchbarNumberKey, qint64(userTouchbarNumber)}};
}

std::optional<AttachmentRecord> AttachmentRecord::lastFor(const QVariantList &apps, const QString &identifier)
{
    if (identifier.isEmpty())
        return std::nullopt;
    for (auto it = apps.crbegin(); it != apps.crend(); ++it) {
        AttachmentRecord record = fromVariant(*it);
        if (record.bundleID == identifier)
            return record;
    }
    return std::nullopt;
}
