#include "osc/MessageView.h"

#include "osc/Wire.h"

#include <QString>

#include <algorithm>

namespace osc {

namespace {

// Addresses and most strings are ASCII: or-ing their bytes together a word at a time settles
// them without the call into the full UTF-8 check.
bool isUtf8(QByteArrayView text)
{
    quint32 bits = 0;
    const char *byte = text.begin();
    for (; text.end() - byte >= 4; byte += 4)
        bits |= qFromUnaligned<quint32>(byte);
    for (; byte != text.end(); ++byte)
        bits |= uchar(*byte);
    return !(bits & 0x80808080u) || text.isValidUtf8();
}

} // namespace

qsizetype MessageView::readBlob(QByteArrayView bytes, QByteArrayView &value)
{
    if (bytes.size() < 4)
        return unreadable;
    // 64-bit arithmetic: a size near 2^32 must not wrap around and pass the check.
    const quint64 size = Wire::readUInt32(bytes.data());
    if (4 + size > quint64(bytes.size()))
        return unreadable;
    value = bytes.sliced(4, qsizetype(size));
    return 4 + Wire::padded(qsizetype(size));
}

osc::Argument MessageView::Argument::toArgument() const
{
    switch (m_tag) {
    case 'i':
        return toInt();
    case 'f':
        return toFloat();
    case 's':
        return QString::fromUtf8(m_value);
    default:
        return m_value.toByteArray();
    }
}

std::optional<MessageView> MessageView::fromData(QByteArrayView data)
{
    // Read where the caller gets it: a view read elsewhere and copied over stalls on its own
    // fields, a cost as large as the reading for a one-number message.
    std::optional<MessageView> view;
    if (!view.emplace(Construction()).read(data))
        view.reset();
    return view;
}

bool MessageView::read(QByteArrayView data)
{
    const qsizetype addressLength = Wire::textLength(data);
    if (addressLength == Wire::textMissing)
        return false;
    m_address = data.first(addressLength);
    const qsizetype position = Wire::padded(addressLength + 1);
    return m_address.startsWith('/') && isUtf8(m_address) && position <= data.size() &&
           readTypeTags(data.sliced(position)) && argumentsAreReadable();
}

bool MessageView::readTypeTags(QByteArrayView afterAddress)
{
    // A message without a type tag string is an old sender's message without arguments.
    if (afterAddress.isEmpty() || afterAddress.front() != ',')
        return true;
    const qsizetype length = Wire::textLength(afterAddress);
    if (length == Wire::textMissing)
        return false;
    m_tags = afterAddress.sliced(1, length - 1);
    m_arguments = afterAddress.sliced(std::min(afterAddress.size(), Wire::padded(length + 1)));
    return true;
}

bool MessageView::argumentsAreReadable() const
{
    QByteArrayView rest = m_arguments;
    for (const char tag : m_tags) {
        QByteArrayView value;
        const qsizetype size = readValue(tag, rest, value);
        if (size == unreadable || (tag == 's' && !isUtf8(value)))
            return false;
        rest = rest.sliced(std::min(size, rest.size()));
    }
    return true;
}

} // namespace osc
