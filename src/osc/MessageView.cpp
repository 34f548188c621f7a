#include "osc/MessageView.h"

#include "osc/Wire.h"

#include <QString>

#include <algorithm>

namespace osc {

namespace {

// Addresses and most strings are ASCII: a loop over a few bytes settles them without the call
// into the full UTF-8 check.
bool isUtf8(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; }) ||
           text.isValidUtf8();
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

QVariant MessageView::Argument::toVariant() const
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
    MessageView view;
    const auto address = Wire::terminatedText(data);
    if (!address || !address->startsWith('/') || !isUtf8(*address))
        return std::nullopt;
    const qsizetype position = Wire::padded(address->size() + 1);
    if (position > data.size())
        return std::nullopt;
    view.m_address = *address;
    if (!view.readTypeTags(data.sliced(position)) || !view.argumentsAreReadable())
        return std::nullopt;
    return view;
}

bool MessageView::readTypeTags(QByteArrayView afterAddress)
{
    // A message without a type tag string is an old sender's message without arguments.
    if (afterAddress.isEmpty() || afterAddress.front() != ',')
        return true;
    const auto tags = Wire::terminatedText(afterAddress);
    if (!tags)
        return false;
    m_tags = tags->sliced(1);
    m_arguments = afterAddress.sliced(std::min(afterAddress.size(), Wire::padded(tags->size() + 1)));
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
