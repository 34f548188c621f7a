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

// QString::startsWith is a call into Qt, and a message is built for every value sent.
bool startsAsAddress(const QString &text)
{
    return !text.isEmpty() && text.front() == u'/';
}

// An address is taken only when it can be one; the default "/" stays otherwise.
const QString &addressOrRoot(const QString &addressPattern)
{
    static const QString root = QStringLiteral("/");
    return startsAsAddress(addressPattern) ? addressPattern : root;
}

} // namespace

Message::Message(const QString &addressPattern, const QVariantList &arguments)
    : m_addressPattern(addressOrRoot(addressPattern))
{
    setArguments(arguments);
}

Message::Message(const QString &addressPattern, std::initializer_list<Argument> arguments)
    : m_addressPattern(addressOrRoot(addressPattern))
    , m_arguments(arguments)
{
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
    if (startsAsAddress(addressPattern))
        m_addressPattern = addressPattern;
}

QString Message::typeTagString() const
{
    QString tags(m_arguments.size() + 1, Qt::Uninitialized);
    tags[0] = u',';
    for (qsizetype i = 0; i < m_arguments.size(); ++i)
        tags[i + 1] = QLatin1Char(typeTagOf(m_arguments[i]));
    return tags;
}

void Message::setArguments(const QVariantList &arguments)
{
    m_arguments.clear();
    for (const QVariant &argument : arguments) {
        if (auto sendable = argumentOf(argument))
            m_arguments.append(std::move(*sendable));
    }
}

void Message::setArguments(std::initializer_list<Argument> arguments)
{
    m_arguments = arguments;
}

std::optional<Argument> Message::argumentOf(const QVariant &value)
{
    // Read directly: QVariant's own conversions go through the meta-type system.
    switch (value.typeId()) {
    case QMetaType::QString:
        return stored<QString>(value);
    case QMetaType::QByteArray:
        return stored<QByteArray>(value);
    case QMetaType::Int:
        return stored<int>(value);
    case QMetaType::Float:
        return stored<float>(value);
    case QMetaType::Double:
        return float(stored<double>(value));
    default:
        if (typeTagOf(value) == 'i')
            return qint32(value.toLongLong());
        return std::nullopt;
    }
}

QVariant Message::variantOf(const Argument &argument)
{
    return std::visit([](const auto &value) { return QVariant::fromValue(value); }, argument);
}

QVariant Message::argument(qsizetype index) const
{
    return variantOf(m_arguments.at(index));
}

Arguments Message::arguments() const
{
    Arguments variants;
    variants.reserve(m_arguments.size());
    for (const Argument &argument : m_arguments)
        variants.append(variantOf(argument));
    return variants;
}

QVariantList Message::argumentList() const
{
    const Arguments variants = arguments();
    return QVariantList(variants.begin(), variants.end());
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
    qsizetype size = Wire::maxStringSize(m_addressPattern) + Wire::padded(m_arguments.size() + 2);
    for (const Argument &argument : m_arguments) {
        if (const auto *text = std::get_if<QString>(&argument))
            size += Wire::maxStringSize(*text);
        else if (const auto *blob = std::get_if<QByteArray>(&argument))
            size += Wire::blobSize(*blob);
        else
            size += 4;
    }
    return size;
}

char *Message::writePacketData(char *out) const
{
    out = Wire::writeString(out, m_addressPattern);
    *out = ',';
    char *tags = out;
    out = std::transform(m_arguments.begin(), m_arguments.end(), out + 1,
                         [](const Argument &argument) { return typeTagOf(argument); });
    out = Wire::terminate(tags, out);
    for (const Argument &argument : m_arguments) {
        switch (argument.index()) {
        case 0:
            out = Wire::writeInt(out, quint32(*std::get_if<qint32>(&argument)));
            break;
        case 1:
            out = Wire::writeFloat(out, *std::get_if<float>(&argument));
            break;
        case 2:
            out = Wire::writeString(out, *std::get_if<QString>(&argument));
            break;
        default:
            out = Wire::writeBlob(out, *std::get_if<QByteArray>(&argument));
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
