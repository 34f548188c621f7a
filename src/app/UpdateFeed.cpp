#include "UpdateFeed.h"

#include "model/PropertyList.h"

#include <QRegularExpression>

#include <cmath>

UpdateFeed UpdateFeed::fromData(QByteArrayView data)
{
    UpdateFeed feed;
    const std::optional<QVariant> root = PropertyList::fromData(data);
    if (!root || root->typeId() != QMetaType::QVariantMap)
        return feed;
    const QVariantMap dictionary = root->toMap();
    feed.m_version = versionNumber(dictionary.value(QStringLiteral("version")));
    const QVariant url = dictionary.value(QStringLiteral("url"));
    if (url.typeId() == QMetaType::QString)
        feed.m_url = url.toString();
    return feed;
}

float UpdateFeed::versionNumber(const QVariant &value)
{
    float number = 0;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Double:
        number = value.toFloat();
        break;
    case QMetaType::QString: {
        // Only the leading decimal counts, so a dotted version reads as its first fraction.
        static const QRegularExpression leadingDecimal(
            QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
        const QRegularExpressionMatch match = leadingDecimal.match(value.toString());
        if (match.hasMatch())
            number = match.captured(0).trimmed().toFloat();
        break;
    }
    default:
        break;
    }
    // An overflowing or negative version could only ever be offered as nonsense.
    return std::isfinite(number) && number > 0 ? number : 0;
}
