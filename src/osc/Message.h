#pragma once

#include "osc/Argument.h"
#include "osc/Packet.h"

#include <QStringList>
#include <QVarLengthArray>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <initializer_list>
#include <optional>

namespace osc {

// The arguments as Qt values. Held inline, like the message's own: most messages carry one to
// three arguments, and neither building nor decoding one may allocate beyond its strings and
// blobs.
using Arguments = QVarLengthArray<QVariant, 4>;

// One OSC message. Arguments are given as QString (s), QByteArray (b), signed integers or bool
// (i) and float or double (f), and kept as they will be sent: integers in 32 bits, numbers in
// single precision. Values of any other type are dropped when the arguments are set, so the
// type tag string always follows from what is kept.
class Message : public Packet {
public:
    Message() = default;
    Message(const QString &addressPattern, const QVariantList &arguments);
    // Typed: a sender that knows its values builds the message without a QVariant.
    Message(const QString &addressPattern, std::initializer_list<Argument> arguments);

    static Message messageWithAddressPattern(const QString &addressPattern, const QVariantList &arguments,
                                             std::shared_ptr<Socket> replySocket = {});
    static std::optional<Message> messageWithString(const QString &text);

    static bool legalAddress(QStringView address);
    static bool legalAddressComponent(QStringView component);
    static bool legalMethod(QStringView method);

    // The tag letter of a value, or 0 when the value cannot be sent.
    static char typeTagOf(const QVariant &value);
    // The value as it will be sent; nothing when it cannot be.
    static std::optional<Argument> argumentOf(const QVariant &value);

    const QString &addressPattern() const { return m_addressPattern; }
    // Only a non-empty address starting with "/" is taken.
    void setAddressPattern(const QString &addressPattern);
    QString typeTagString() const;
    qsizetype argumentCount() const { return m_arguments.size(); }
    QVariant argument(qsizetype index) const;
    Arguments arguments() const;
    QVariantList argumentList() const;
    void setArguments(const QVariantList &arguments);
    void setArguments(std::initializer_list<Argument> arguments);
    QStringList addressParts() const;

    // Travels with the message inside the program; never encoded.
    QVariant userData() const { return m_userData.value_or(QVariant()); }
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
    // Decodes into a message in place.
    friend class Parser;
    static char typeTagOf(const Argument &argument) { return "ifsb"[argument.index()]; }
    static QVariant variantOf(const Argument &argument);

    QString m_addressPattern = QStringLiteral("/");
    QVarLengthArray<Argument, 4> m_arguments;
    // Optional: an empty one costs nothing to destroy, and almost no message carries any.
    std::optional<QVariant> m_userData;
};

} // namespace osc
