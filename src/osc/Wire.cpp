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
    const qsizetype size = end - out;
    const qsizetype padding = padded(size + 1) - size;
    std::memset(end, 0, size_t(padding));
    return end + padding;
}

char *Wire::writeAscii(char *out, QStringView text)
{
    // Addresses are ASCII by rule and most strings are too; this skips the codec for them.
    for (const QChar c : text) {
        if (c.isNull())
            break;
        if (c.unicode() >= 0x80)
            return nullptr;
        *out++ = char(c.unicode());
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
