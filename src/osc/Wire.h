#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtEndian>

#include <algorithm>

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
    // Ends what was written from start with a zero and pads it to a multiple of four bytes. A
    // loop of at most four stores: a call to memset costs more for so few.
    static char *terminate(const char *start, char *end)
    {
        do
            *end++ = '\0';
        while ((end - start) & 3);
        return end;
    }
    static char *writeBlob(char *out, QByteArrayView blob);
    static char *writeInt(char *out, quint32 value);
    static char *writeFloat(char *out, float value);

    // Inline: the reading of every received argument is made of these.
    // How many bytes come before the first zero; textMissing without one. A length, not a
    // view: a view returned through std::optional costs a stalled copy on every argument.
    static constexpr qsizetype textMissing = -1;
    static qsizetype textLength(QByteArrayView bytes)
    {
        // A word at a time to the word holding the zero: OSC strings are a word or two long,
        // shorter than a call to memchr costs, and a byte loop takes twice the time.
        const char *word = bytes.begin();
        for (; bytes.end() - word >= 4; word += 4) {
            if (hasZeroByte(qFromUnaligned<quint32>(word)))
                break;
        }
        const auto zero = std::find(word, bytes.end(), '\0');
        return zero == bytes.end() ? textMissing : zero - bytes.begin();
    }
    static constexpr bool hasZeroByte(quint32 word) { return (word - 0x01010101u) & ~word & 0x80808080u; }
    static quint32 readUInt32(const char *in) { return qFromBigEndian<quint32>(in); }

private:
    // Writes text up to its first zero when that part is all ASCII; returns null, having
    // written some of it, when not.
    static char *writeAscii(char *out, QStringView text);
};

} // namespace osc
