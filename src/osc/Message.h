#pragma once

#include "osc/Packet.h"

#include <QStringList>
#include <QVarLengthArray>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <initializer_list>
#include <optional>
#include <utility>

namespace osc {

// Held inline: most messages carry one to three arguments, and decoding one must not need a
// heap allocation beyond its strings and blobs.
using Arguments = QVarLengthArray<QVariant, 4>;

// One OSC message. Arguments are QString (s), QByteArray (b), signed integers or bool (i)
// and float or double (f); values of any other type are dropped when the arguments are set,
// so the type tag string is always derived from what is kept.
class Message : public Packet {
public:
    Message() = default;
    Message(const QString &addressPattern, const QVariantList &arguments);
    Message(const QString &addressPattern, std::initializer_list<QVariant> arguments);

    static Message messageWithAddressPattern(const QString &addressPattern, const QVariantList &arguments,
                                             std::shared_ptr<Socket> replySocket = {});
    static std::optional<Message> messageWithString(const QString &text);

    static bool legalAddress(QStringView address);
    static bool legalAddressComponent(QStringView component);
    static bool legalMethod(QStringView method);

    // The tag letter of a value, or 0 when the value cannot be sent.
    static char typeTagOf(const QVariant &value);

    const QString &addressPattern() const { return m_addressPattern; }
    // Only a non-empty address starting with "/" is taken.
    void setAddressPattern(const QString &addressPattern);
    QString typeTagString() const;
    const Arguments &arguments() const { return m_arguments; }
    QVariantList argumentList() const;
    void setArguments(const QVariantList &arguments);
    void setArguments(std::initializer_list<QVariant> arguments);
    QStringList addressParts() const;

    // Travels with the message inside the program; never encoded.
    const QVariant &userData() const { return m_userData; }
    void setUserData(const QVariant &userData) { m_userData = userData; }

    QByteArray packetData() const override;
    // For a caller with a buffer of its own: writes the packet into at least maxPacketSize()
    // bytes and returns the end of what it wrote.
    qsizetype maxPacketSize() const;
    char *writePacketData(char *out) const;
    QString asQSC() const override;
    QString description() const override;

    QVariantMap archive() const;
    static std::optional<Message> unarchive(const QVariantMap &archive);

    friend bool operator==(const Message &a, const Message &b)
    {
        return a.m_addressPattern == b.m_addressPattern && a.m_arguments == b.m_arguments;
    }

private:
    // Decodes into a message in place; what it reads is always of sendable types.
    friend class Parser;
    template <typename Range> void keepSendable(const Range &arguments);
    template <typename Value> void appendArgument(char tag, Value &&argument)
    {
        m_typeTags.append(tag);
        m_arguments.append(std::forward<Value>(argument));
    }

    QString m_addressPattern = QStringLiteral("/");
    Arguments m_arguments;
    // One per argument, worked out once: asking a QVariant its type is a call into Qt.
    QVarLengthArray<char, 4> m_typeTags;
    QVariant m_userData;
};

} // namespace osc
