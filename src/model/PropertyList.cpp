#include "PropertyList.h"

#include "BinaryPlistScreen.h"

#include <QDateTime>
#include <QTimeZone>

#include <plist/plist.h>

#include <memory>

namespace {

// Property-list dates count seconds from 2001-01-01 UTC.
const QDateTime referenceDate(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());

// Debian 12 has libplist 2.2, Debian 13 has 2.6. Version 2.3 renamed the function that frees
// its output, and began to keep the sign of integers: there plist_new_uint writes -7 as
// 18446744073709551609, while 2.2 has only that call and writes -7.
void freeXml(char *xml)
{
#ifdef STRIPDECK_LIBPLIST_2_3
    plist_mem_free(xml);
#else
    plist_to_xml_free(xml);
#endif
}

plist_t newSignedInteger(qint64 value)
{
#ifdef STRIPDECK_LIBPLIST_2_3
    return plist_new_int(value);
#else
    return plist_new_uint(static_cast<uint64_t>(value));
#endif
}

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

std::optional<QVariant> toVariant(plist_t node, int depth);

std::optional<QVariant> dictionaryToVariant(plist_t node, int depth)
{
    QVariantMap map;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(node, &it);
    std::unique_ptr<void, decltype(&free)> iterGuard(it, &free);
    for (;;) {
        char *key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(node, it, &key, &value);
        if (!key)
            break;
        QString name = QString::fromUtf8(key);
        free(key);
        std::optional<QVariant> converted = value ? toVariant(value, depth + 1) : std::nullopt;
        if (!converted)
            return std::nullopt;
        map.insert(name, *converted);
    }
    return QVariant(map);
}

std::optional<QVariant> arrayToVariant(plist_t node, int depth)
{
    QVariantList list;
    const uint32_t count = plist_array_get_size(node);
    list.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        std::optional<QVariant> converted = toVariant(plist_array_get_item(node, i), depth + 1);
        if (!converted)
            return std::nullopt;
        list.append(*converted);
    }
    return QVariant(list);
}

std::optional<QVariant> scalarToVariant(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return QVariant(value != 0);
    }
    case PLIST_UINT: {
        // The library keeps every integer as 64 unsigned bits; negative numbers come back
        // in two's complement, so the signed reading is the stored one.
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return QVariant(static_cast<qint64>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return QVariant(value);
    }
    case PLIST_STRING: {
        // Binary lists may carry NUL bytes inside a string; the copying getter aborts on them.
        uint64_t length = 0;
        const char *value = plist_get_string_ptr(node, &length);
        return QVariant(QString::fromUtf8(value, static_cast<qsizetype>(length)));
    }
    case PLIST_DATA: {
        char *value = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &value, &length);
        QByteArray bytes(value, static_cast<qsizetype>(length));
        free(value);
        return QVariant(bytes);
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return QVariant(referenceDate.addMSecs(qint64(seconds) * 1000 + microseconds / 1000));
    }
    default:
        return std::nullopt;
    }
}

std::optional<QVariant> toVariant(plist_t node, int depth)
{
    if (depth > PropertyList::maximumDepth)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_DICT:
        return dictionaryToVariant(node, depth);
    case PLIST_ARRAY:
        return arrayToVariant(node, depth);
    default:
        return scalarToVariant(node);
    }
}

plist_t fromVariant(const QVariant &value);

plist_t mapToPlist(const QVariantMap &map)
{
    plist_t dict = plist_new_dict();
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (plist_t item = fromVariant(it.value()))
            plist_dict_set_item(dict, it.key().toUtf8().constData(), item);
    }
    return dict;
}

plist_t listToPlist(const QVariantList &list)
{
    plist_t array = plist_new_array();
    for (const QVariant &value : list) {
        if (plist_t item = fromVariant(value))
            plist_array_append_item(array, item);
    }
    return array;
}

plist_t dateToPlist(const QDateTime &date)
{
    const qint64 msecs = referenceDate.msecsTo(date);
    const qint64 seconds = msecs >= 0 ? msecs / 1000 : (msecs - 999) / 1000;
    const qint64 micros = (msecs - seconds * 1000) * 1000;
    return plist_new_date(static_cast<int32_t>(seconds), static_cast<int32_t>(micros));
}

// Values of types a property list cannot hold are left out rather than guessed at.
plist_t fromVariant(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap:
        return mapToPlist(value.toMap());
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return listToPlist(value.toList());
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::Bool:
        return plist_new_bool(value.toBool());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        return newSignedInteger(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return plist_new_uint(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return plist_new_data(bytes.constData(), static_cast<uint64_t>(bytes.size()));
    }
    case QMetaType::QDateTime:
        return dateToPlist(value.toDateTime());
    default:
        return nullptr;
    }
}

} // namespace

std::optional<QVariant> PropertyList::fromData(QByteArrayView data)
{
    if (data.isEmpty() || data.size() > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    if (BinaryPlistScreen::isBinary(data) && !BinaryPlistScreen::isSafe(data))
        return std::nullopt;
    // Only the two forms property lists are stored in: newer libplist's plist_from_memory would
    // also take JSON and OpenStep text, which no file of ours holds.
    plist_t raw = nullptr;
    const auto length = static_cast<uint32_t>(data.size());
    if (BinaryPlistScreen::isBinary(data))
        plist_from_bin(data.data(), length, &raw);
    else
        plist_from_xml(data.data(), length, &raw);
    PlistPtr root(raw);
    if (!root)
        return std::nullopt;
    return toVariant(root.get(), 0);
}

QByteArray PropertyList::toXml(const QVariant &value)
{
    PlistPtr root(fromVariant(value));
    if (!root)
        return {};
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    QByteArray result(xml, static_cast<qsizetype>(length));
    freeXml(xml);
    return result;
}
