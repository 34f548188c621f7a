#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtEndian>

#include <algorithm>
#include <optional>

namespace osc {

// The OSC 1.0 encodings of single values: big-endian 32-bit numbers, zero-terminated strings
// and size-prefixed blobs, each padded to a multiple of four bytes.
//
// The write functions fill a buffer the caller sized with the matching max...Size; they return
// the end of what they wrote. The read functions take the bytes that remain in a packet and
// report how many of them the value occupies on the wire.
class Wire {
public:
    static constexpr qsizetype padded(qsizetype size) { return (size + 3) & ~qsizetype(3); }

    static QByteArray oscStringData(QStringView text);
    static QByteArray oscBlobData(QByteArrayView blob);
    static QByteArray oscIntValue(qint32 value);
    static QByteArray oscFloatValue(float value);

    static qsizetype maxStringSize(QStringView text) { return padded(text.size() * 3 + 1); }
    static qsizetype blobSize(QByteArrayView blob) { return 4 + padded(blob.size()); }
    static char *writeString(char *out, QStringView text);
    static char *writeBlob(char *out, QByteArrayView blob);
    static char *writeInt(char *out, quint32 value);
    static char *writeFloat(char *out, float value);

    // Inline: the reading of every received argument is made of these two.
    // The bytes before the first zero; fails without one.
    static std::optional<QByteArrayView> terminatedText(QByteArrayView bytes)
    {
        // A plain loop: OSC strings are a few bytes long, shorter than a call to memchr costs.
        const auto zero = std::find(bytes.begin(), bytes.end(), '\0');
        if (zero == bytes.end())
            return std::nullopt;
        return QByteArrayView(bytes.begin(), zero);
    }
    static quint32 readUInt32(const char *in) { return qFromBigEndian<quint32>(in); }

private:
    // Writes text up to its first zero when that part is all ASCII; returns null, having
    // written some of it, when not.
    static char *writeAscii(char *out, QStringView text);
};

} // namespace osc
