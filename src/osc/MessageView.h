#pragma once

#include "osc/Argument.h"
#include "osc/Wire.h"

#include <QByteArrayView>

#include <algorithm>
#include <bit>

#include <iterator>
#include <optional>

namespace osc {

// A received message read in place: checking it and walking its arguments touch only the
// packet's own bytes, so a receiver that wants numbers never allocates. Message decoding is
// built on it; the view must not outlive the packet it was read from. The reading of values
// is inline: it runs for every argument of every packet.
class MessageView {
    // A key only fromData holds: it builds the view inside std::optional, which needs a
    // public constructor.
    struct Construction {};

public:
    class Argument {
    public:
        char tag() const { return m_tag; }
        qint32 toInt() const { return qint32(Wire::readUInt32(m_value.data())); }
        float toFloat() const { return std::bit_cast<float>(Wire::readUInt32(m_value.data())); }
        // The UTF-8 text of an 's' argument, without its terminating zero.
        QByteArrayView text() const { return m_value; }
        QByteArrayView blob() const { return m_value; }
        // Strings are valid UTF-8 by construction.
        osc::Argument toArgument() const;

    private:
        friend class MessageView;
        char m_tag = 0;
        QByteArrayView m_value;
    };

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Argument;
        using difference_type = qsizetype;
        using pointer = const Argument *;
        using reference = const Argument &;

        const_iterator() = default;
        reference operator*() const { return m_argument; }
        pointer operator->() const { return &m_argument; }
        const_iterator &operator++()
        {
            // The final value's padding may be missing; there is nothing after it to misread.
            m_rest = m_rest.sliced(std::min(m_size, m_rest.size()));
            ++m_tag;
            read();
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator previous = *this;
            ++*this;
            return previous;
        }
        friend bool operator==(const const_iterator &a, const const_iterator &b)
        {
            return a.m_tag == b.m_tag;
        }

    private:
        friend class MessageView;
        const_iterator(const char *tag, QByteArrayView rest)
            : m_tag(tag)
            , m_rest(rest)
        {
            read();
        }
        Q_ALWAYS_INLINE void read()
        {
            if (!m_tag || !*m_tag)
                return;
            m_argument.m_tag = *m_tag;
            m_size = readValue(*m_tag, m_rest, m_argument.m_value);
        }

        const char *m_tag = nullptr;
        QByteArrayView m_rest;
        Argument m_argument;
        // On the wire, padding included; unreadable when the bytes cannot hold the value.
        qsizetype m_size = 0;
    };

    // Fails on anything a receiver cannot read: no address or one not starting with "/", a
    // missing terminator, a type other than i, f, s and b, too few bytes for a value, text
    // that is not UTF-8. The final value's padding may be missing.
    static std::optional<MessageView> fromData(QByteArrayView data);
    explicit MessageView(Construction) {}

    // UTF-8, without its terminating zero.
    QByteArrayView address() const { return m_address; }
    // Without the leading comma; empty for a message that has no type tag string.
    QByteArrayView typeTags() const { return m_tags; }
    qsizetype argumentCount() const { return m_tags.size(); }
    const_iterator begin() const { return const_iterator(m_tags.begin(), m_arguments); }
    const_iterator end() const { return const_iterator(m_tags.end(), {}); }

private:
    static constexpr qsizetype unreadable = -1;

    Q_ALWAYS_INLINE static qsizetype readValue(char tag, QByteArrayView bytes, QByteArrayView &value)
    {
        switch (tag) {
        case 'i':
        case 'f':
            if (bytes.size() < 4)
                return unreadable;
            value = bytes.first(4);
            return 4;
        case 's':
            if (const qsizetype length = Wire::textLength(bytes); length != Wire::textMissing) {
                value = bytes.first(length);
                return Wire::padded(length + 1);
            }
            return unreadable;
        default:
            return tag == 'b' ? readBlob(bytes, value) : unreadable;
        }
    }
    static qsizetype readBlob(QByteArrayView bytes, QByteArrayView &value);
    bool read(QByteArrayView data);
    bool readTypeTags(QByteArrayView afterAddress);
    bool argumentsAreReadable() const;

    QByteArrayView m_address;
    QByteArrayView m_tags;
    QByteArrayView m_arguments;
};

} // namespace osc
