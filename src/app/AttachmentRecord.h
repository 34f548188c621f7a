#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

// One entry of the "Apps" preference: an application and the touch bar it brings up.
struct AttachmentRecord {
    static constexpr const char *appsKey = "Apps";

    QString bundleID;
    bool controlSurfaceMode = false;
    // 1 ... 9 name user touch bar 0 ... 8; 0 keeps the current one.
    int userTouchbarNumber = 0;

    static AttachmentRecord fromVariant(const QVariant &stored);
    QVariantMap toVariant() const;
    // The last record of the list for the identifier. An empty identifier matches nothing, so a
    // record without one stays inert.
    static std::optional<AttachmentRecord> lastFor(const QVariantList &apps, const QString &identifier);
};
