#include "BinaryPlistScreen.h"

#include <optional>

namespace {

constexpr qsizetype headerSize = 8;
constexpr qsizetype trailerSize = 32;

std::optional<quint64> bigEndian(QByteArrayView data, qsizetype at, qsizetype width)
{
    if (width < 1 || width > 8 || at < 0 || at > data.size() - width)
        return std::nullopt;
    quint64 value = 0;
    for (qsizetype i = 0; i < width; ++i)
        value = (value << 8) | quint8(data[at + i]);
    return value;
}

// Where a string object's characters start and how many bytes they take.
struct Extent {
    qsizetype start = 0;
    quint64 bytes = 0;
};

std::optional<Extent> stringExtent(QByteArrayView data, qsizetype at, int unitSize)
{
    const quint8 marker = quint8(data[at]);
    quint64 count = marker & 0x0F;
    qsizetype start = at + 1;
    if (count == 0x0F) {
        // The length follows as an integer object of 2^n bytes.
        const auto intMarker = bigEndian(data, start, 1);
        if (!intMarker || (*intMarker & 0xF0) != 0x10)
            return std::nullopt;
        const qsizetype width = qsizetype(1) << (*intMarker & 0x0F);
        const auto length = bigEndian(data, start + 1, width);
        if (!length)
            return std::nullopt;
        count = *length;
        start += 1 + width;
    }
    if (count > quint64(data.size()) / quint64(unitSize))
        return std::nullopt;
    return Extent{start, count * quint64(unitSize)};
}

bool hasNul(QByteArrayView data, const Extent &extent, int unitSize)
{
    for (quint64 i = 0; i < extent.bytes; i += quint64(unitSize)) {
        bool zero = true;
        for (int b = 0; b < unitSize; ++b)
            zero = zero && data[extent.start + qsizetype(i) + b] == 0;
        if (zero)
            return true;
    }
    return false;
}

bool objectIsSafe(QByteArrayView data, qsizetype at, qsizetype objectsEnd)
{
    if (at < headerSize || at >= objectsEnd)
        return false;
    const int type = quint8(data[at]) >> 4;
    // 5: ASCII, 6: UTF-16, 7: UTF-8 strings.
    if (type != 5 && type != 6 && type != 7)
        return true;
    const int unitSize = type == 6 ? 2 : 1;
    const auto extent = stringExtent(data, at, unitSize);
    if (!extent || extent->start > objectsEnd || extent->bytes > quint64(objectsEnd - extent->start))
        return false;
    return !hasNul(data, *extent, unitSize);
}

} // namespace

bool BinaryPlistScreen::isBinary(QByteArrayView data)
{
    return data.startsWith("bplist");
}

bool BinaryPlistScreen::isSafe(QByteArrayView data)
{
    if (data.size() < headerSize + trailerSize)
        return false;
    const qsizetype trailer = data.size() - trailerSize;
    const auto offsetSize = bigEndian(data, trailer + 6, 1);
    const auto objectCount = bigEndian(data, trailer + 8, 8);
    const auto tableOffset = bigEndian(data, trailer + 24, 8);
    if (!offsetSize || *offsetSize < 1 || *offsetSize > 8 || *tableOffset > quint64(trailer))
        return false;
    if (*objectCount > (quint64(trailer) - *tableOffset) / *offsetSize)
        return false;
    const qsizetype table = qsizetype(*tableOffset);
    for (quint64 i = 0; i < *objectCount; ++i) {
        const auto offset = bigEndian(data, table + qsizetype(i * *offsetSize), qsizetype(*offsetSize));
        if (!offset || *offset > quint64(table) || !objectIsSafe(data, qsizetype(*offset), table))
            return false;
    }
    return true;
}
