#include "osc/Message.h"

#include "osc/AddressCharset.h"
#include "osc/TextForm.h"
#include "osc/Wire.h"

#include <algorithm>

namespace osc {

namespace {

// The value inside, without the copy value<T>() makes; only for a variant of type T.
template <typename T> const T &stored(const QVariant &variant)
{
    return *static_cast<const T *>(variant.constData());
}

// Read directly: QVariant's own conversions go through the meta-type system.
qint64 integerOf(const QVariant &number)
{
    switch (number.typeId()) {
    case QMetaType::Int:
        return stored<int>(number);
    case QMetaType::Bool:
        return stored<bool>(number);
    default:
        return number.toLongLong();
    }
}

float floatOf(const QVariant &number)
{
    if (number.typeId() == QMetaType::Float)
        return stored<float>(number);
    return float(stored<double>(number));
}

} // namespace

Message::Message(const QString &addressPattern, const QVariantList &arguments)
{
    setAddressPattern(addressPattern);
    setArguments(arguments);
}

Message::Message(const QString &addressPattern, std::initializer_list<QVariant> arguments)
{
    setAddressPattern(addressPattern);
    setArguments(arguments);
}

Message Message::messageWithAddressPattern(const QString &addressPattern, const QVariantList &arguments,
                                           std::shared_ptr<Socket> replySocket)
{
    Message message(addressPattern, arguments);
    message.setReplySocket(std::move(replySocket));
    return message;
}

std::optional<Message> Message::messageWithString(const QString &text)
{
    return TextForm::parse(text);
}

bool Message::legalAddress(QStringView address)
{
    return address.startsWith(u'/') && AddressCharset::allAddressCharacters(address);
}

bool Message::legalAddressComponent(QStringView component)
{
    return !component.isEmpty() && AddressCharset::allAddressCharacters(component);
}

bool Message::legalMethod(QStringView method)
{
    return AddressCharset::allMethodCharacters(method);
}

char Message::typeTagOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return 's';
    case QMetaType::QByteArray:
        return 'b';
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return 'i';
    case QMetaType::Float:
    case QMetaType::Double:
        return 'f';
    default:
        return 0;
    }
}

void Message::setAddressPattern(const QString &addressPattern)
{
    if (addressPattern.startsWith(u'/'))
        m_addressPattern = addressPattern;
}

QString Message::typeTagString() const
{
    QString tags(m_typeTags.size() + 1, Qt::Uninitialized);
    tags[0] = u',';
    for (qsizetype i = 0; i < m_typeTags.size(); ++i)
        tags[i + 1] = QLatin1Char(m_typeTags[i]);
    return tags;
}

void Message::setArguments(const QVariantList &arguments)
{
    keepSendable(arguments);
}

void Message::setArguments(std::initializer_list<QVariant> arguments)
{
    keepSendable(arguments);
}

template <typename Range> void Message::keepSendable(const Range &arguments)
{
    m_arguments.clear();
    m_typeTags.clear();
    for (const QVariant &argument : arguments) {
        if (const char tag = typeTagOf(argument))
            appendArgument(tag, argument);
    }
}

QVariantList Message::argumentList() const
{
    return QVariantList(m_arguments.begin(), m_arguments.end());
}

QStringList Message::addressParts() const
{
    QStringList parts = m_addressPattern.split(u'/');
    parts.removeFirst();
    return parts;
}

qsizetype Message::maxPacketSize() const
{
    // The worst case of UTF-8; the writer cuts nothing, it reports where it ended.
    qsizetype size = Wire::maxStringSize(m_addressPattern) + Wire::padded(m_typeTags.size() + 2);
    for (qsizetype i = 0; i < m_typeTags.size(); ++i) {
        if (m_typeTags[i] == 's')
            size += Wire::maxStringSize(stored<QString>(m_arguments[i]));
        else if (m_typeTags[i] == 'b')
            size += Wire::blobSize(stored<QByteArray>(m_arguments[i]));
        else
            size += 4;
    }
    return size;
}

char *Message::writePacketData(char *out) const
{
    out = Wire::writeString(out, m_addressPattern);
    *out = ',';
    std::copy(m_typeTags.begin(), m_typeTags.end(), out + 1);
    const qsizetype tagLength = m_typeTags.size() + 1;
    std::fill(out + tagLength, out + Wire::padded(tagLength + 1), '\0');
    out += Wire::padded(tagLength + 1);
    for (qsizetype i = 0; i < m_typeTags.size(); ++i) {
        const QVariant &argument = m_arguments[i];
        switch (m_typeTags[i]) {
        case 's':
            out = Wire::writeString(out, stored<QString>(argument));
            break;
        case 'b':
            out = Wire::writeBlob(out, stored<QByteArray>(argument));
            break;
        case 'i':
            out = Wire::writeInt(out, quint32(integerOf(argument)));
            break;
        default:
            out = Wire::writeFloat(out, floatOf(argument));
            break;
        }
    }
    return out;
}

QByteArray Message::packetData() const
{
    QByteArray data(maxPacketSize(), Qt::Uninitialized);
    data.resize(writePacketData(data.data()) - data.data());
    return data;
}

QString Message::asQSC() const
{
    return TextForm::qsc(*this);
}

QString Message::description() const
{
    return TextForm::describe(*this);
}

QVariantMap Message::archive() const
{
    return {{QStringLiteral("addressPattern"), m_addressPattern},
            {QStringLiteral("typeTagString"), typeTagString()},
            {QStringLiteral("arguments"), argumentList()}};
}

std::optional<Message> Message::unarchive(const QVariantMap &archive)
{
    const QVariant address = archive.value(QStringLiteral("addressPattern"));
    if (address.typeId() != QMetaType::QString || !address.toString().startsWith(u'/'))
        return std::nullopt;
    return Message(address.toString(), archive.value(QStringLiteral("arguments")).toList());
}

} // namespace osc
