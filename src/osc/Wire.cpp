#include "osc/Wire.h"

#include <QStringEncoder>
#include <QtEndian>

#include <bit>
#include <cstring>

namespace osc {

QByteArray Wire::oscStringData(QStringView text)
{
    QByteArray data(maxStringSize(text), Qt::Uninitialized);
    data.resize(writeString(data.data(), text) - data.data());
    return data;
}

QByteArray Wire::oscBlobData(QByteArrayView blob)
{
    QByteArray data(blobSize(blob), Qt::Uninitialized);
    writeBlob(data.data(), blob);
    return data;
}

QByteArray Wire::oscIntValue(qint32 value)
{
    QByteArray data(4, Qt::Uninitialized);
    writeInt(data.data(), quint32(value));
    return data;
}

QByteArray Wire::oscFloatValue(float value)
{
    QByteArray data(4, Qt::Uninitialized);
    writeFloat(data.data(), value);
    return data;
}

char *Wire::writeString(char *out, QStringView text)
{
    char *end = writeAscii(out, text);
    if (!end) {
        // A receiver ends the string at its first zero and steps over the padding from there;
        // writing what follows would shift every later argument.
        if (const qsizetype zero = text.indexOf(QChar(0)); zero >= 0)
            text = text.first(zero);
        end = QStringEncoder(QStringEncoder::Utf8).appendToBuffer(out, text);
    }
    return terminate(out, end);
}

char *Wire::writeAscii(char *out, QStringView text)
{
    // Addresses are ASCII by rule and most strings are too; this skips the codec for them.
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        // One comparison for the two cases that end the fast path: zero and non-ASCII.
        if (char16_t(unit - 1) >= 0x7f)
            return unit == 0 ? out : nullptr;
        *out++ = char(unit);
    }
    return out;
}

char *Wire::writeBlob(char *out, QByteArrayView blob)
{
    out = writeInt(out, quint32(blob.size()));
    if (!blob.isEmpty())
        std::memcpy(out, blob.data(), size_t(blob.size()));
    const qsizetype padding = padded(blob.size()) - blob.size();
    std::memset(out + blob.size(), 0, size_t(padding));
    return out + blob.size() + padding;
}

char *Wire::writeInt(char *out, quint32 value)
{
    qToBigEndian(value, out);
    return out + 4;
}

char *Wire::writeFloat(char *out, float value)
{
    return writeInt(out, std::bit_cast<quint32>(value));
}

} // namespace osc
