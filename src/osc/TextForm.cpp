#include "osc/TextForm.h"

#include "osc/Message.h"

#include <QLocale>
#include <QStringList>

#include <charconv>

namespace osc {
namespace {

// Stand-ins while the text is split: an escaped quote must survive the split at quotes, and a
// quoted string with spaces must survive the split at spaces.
constexpr QChar escapedQuote(0x2341);
constexpr QChar quotedMarker(0x2342);

QString unescaped(QString text)
{
    return text.replace(escapedQuote, u'"');
}

std::optional<QVariant> number(const QString &token)
{
    bool ok = false;
    for (const QLocale &locale : {QLocale(), QLocale::c()}) {
        const qlonglong integer = locale.toLongLong(token, &ok);
        if (ok)
            return integer >= INT_MIN && integer <= INT_MAX ? QVariant(int(integer)) : QVariant(integer);
        const double real = locale.toDouble(token, &ok);
        if (ok)
            return real;
    }
    return std::nullopt;
}

std::optional<QVariant> blob(QStringView base64)
{
    if (base64.isEmpty())
        return std::nullopt;
    const auto decoded =
        QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

template <typename Float> QString shortestFloat(Float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    // Keeps a whole float a float when the text is read back.
    if (text.contains(u'.') || text.contains(u'e') || text.contains(u'n') || text.contains(u'i'))
        return text;
    return text + QStringLiteral(".0");
}

} // namespace

std::optional<Message> TextForm::parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const qsizetype space = trimmed.indexOf(u' ');
    const QString address = trimmed.left(space < 0 ? trimmed.size() : space);
    if (!Message::legalAddress(address))
        return std::nullopt;

    QString rest = space < 0 ? QString() : trimmed.mid(space + 1);
    rest.replace(QStringLiteral("\\\""), QString(escapedQuote));
    const QStringList pieces = rest.split(u'"');
    if (pieces.size() % 2 == 0)
        return std::nullopt;
    QStringList quoted;
    QString marked;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i % 2 == 1) {
            quoted.append(pieces[i]);
            marked += quotedMarker;
        } else {
            marked += pieces[i];
        }
    }

    QVariantList arguments;
    qsizetype nextQuoted = 0;
    for (const QString &token : marked.split(u' ', Qt::SkipEmptyParts)) {
        if (token == quotedMarker) {
            if (nextQuoted < quoted.size())
                arguments.append(unescaped(quoted[nextQuoted++]));
        } else if (token == escapedQuote) {
            arguments.append(QStringLiteral("\""));
        } else if (token.startsWith(QStringLiteral("#blob"))) {
            if (const auto value = blob(QStringView(token).mid(5)))
                arguments.append(*value);
        } else if (const auto value = number(token)) {
            arguments.append(*value);
        } else {
            arguments.append(unescaped(token));
        }
    }
    return Message(address, arguments);
}

QString TextForm::qsc(const Message &message)
{
    QString text = message.addressPattern();
    for (const QVariant &argument : message.arguments()) {
        switch (Message::typeTagOf(argument)) {
        case 's':
            text += QStringLiteral(" \"") + argument.toString().replace(u'"', QStringLiteral("\\\"")) + u'"';
            break;
        case 'b':
            text += QStringLiteral(" #blob") + QString::fromLatin1(argument.toByteArray().toBase64());
            break;
        default:
            text += u' ' + numberText(argument);
            break;
        }
    }
    return text;
}

QString TextForm::describe(const Message &message)
{
    QString text = message.addressPattern();
    for (const QVariant &argument : message.arguments()) {
        switch (Message::typeTagOf(argument)) {
        case 's':
            text += QStringLiteral(" \"") + argument.toString() + u'"';
            break;
        case 'b':
            text += QStringLiteral(" <") + QString::fromLatin1(argument.toByteArray().toHex()) + u'>';
            break;
        default:
            text += u' ' + numberText(argument);
            break;
        }
    }
    return text;
}

QString TextForm::numberText(const QVariant &number)
{
    switch (number.typeId()) {
    case QMetaType::Float:
        return shortestFloat(number.toFloat());
    case QMetaType::Double:
        return shortestFloat(number.toDouble());
    default:
        return QString::number(number.toLongLong());
    }
}

} // namespace osc
