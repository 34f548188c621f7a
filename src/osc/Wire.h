#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

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

    // Fails without a terminating zero or on invalid UTF-8. length is the padded size, which
    // may pass the end of bytes when the final padding is missing.
    static std::optional<QString> stringWithOSCStringBytes(QByteArrayView bytes, qsizetype &length);
    // Fails unless the size and all the bytes it claims are there. length may pass the end of
    // bytes by the missing padding.
    // The bytes before the first zero; fails without one.
    static std::optional<QByteArrayView> terminatedText(QByteArrayView bytes);
    // Fails on invalid UTF-8 instead of putting in replacement characters.
    static std::optional<QString> stringFromUtf8(QByteArrayView text);
    static std::optional<QByteArray> dataWithOSCBlobBytes(QByteArrayView bytes, qsizetype &length);
    static std::optional<qint32> numberWithOSCIntBytes(QByteArrayView bytes);
    static std::optional<float> numberWithOSCFloatBytes(QByteArrayView bytes);
    static quint32 readUInt32(const char *in);

private:
    // Writes text up to its first zero when that part is all ASCII; returns null, having
    // written some of it, when not.
    static char *writeAscii(char *out, QStringView text);
};

} // namespace osc
