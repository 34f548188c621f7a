#include "MackieHostScript.h"

#include "ScriptArguments.h"

#include <QHash>

namespace {

using ScriptArguments::number;

const QByteArray header = QByteArray::fromHex("f000006614");

QByteArray voice(int status, int data1, int data2)
{
    const char bytes[] = {char(status), char(data1), char(data2)};
    return QByteArray(bytes, 3);
}

std::optional<QByteArray> lcd(int row, const QStringList &w)
{
    const auto channel = number(w.value(1), 0, 7);
    if (w.size() != 3 || !channel)
        return std::nullopt;
    const QByteArray cell = w[2].toLatin1().left(7).leftJustified(7, ' ');
    return header + char(0x12) + char(row * 56 + *channel * 7) + cell + char(0xF7);
}

// Letters '@' … '_' are codes 0 … 31, space to '?' their own ASCII codes.
std::optional<int> displayCode(QChar c)
{
    const char byte = c.toUpper().toLatin1();
    if (byte >= 0x40 && byte <= 0x5F)
        return byte - 0x40;
    if (byte >= 0x20 && byte <= 0x3F)
        return byte;
    return std::nullopt;
}

std::optional<QByteArray> assignment(const QStringList &w)
{
    if (w.size() != 2 || w[1].size() > 2)
        return std::nullopt;
    const QString text = w[1].rightJustified(2, u' ');
    const auto left = displayCode(text[0]), right = displayCode(text[1]);
    if (!left || !right)
        return std::nullopt;
    return voice(0xB0, 0x4B, *left) + voice(0xB0, 0x4A, *right);
}

const QHash<QString, int> &ledNotes()
{
    static const QHash<QString, int> notes{
        {QStringLiteral("solo"), 0x08}, {QStringLiteral("mute"), 0x10}, {QStringLiteral("select"), 0x18}};
    return notes;
}

} // namespace

std::optional<QByteArray> MackieHostScript::message(const QStringList &w)
{
    const QString &command = w.first();
    const auto channel = number(w.value(1), 0, 7);
    if (command == QLatin1String("query") && w.size() == 1)
        return header + char(0x00) + char(0xF7);
    if (command == QLatin1String("lcd") || command == QLatin1String("lcd-lower"))
        return lcd(command == QLatin1String("lcd") ? 0 : 1, w);
    if (command == QLatin1String("assignment"))
        return assignment(w);
    if (command == QLatin1String("raw"))
        return ScriptArguments::rawBytes(w);
    if (w.size() != 3 || !channel)
        return std::nullopt;
    if (command == QLatin1String("fader")) {
        const auto value = ScriptArguments::position(w[2]);
        if (!value)
            return std::nullopt;
        const int bend = int(*value * 16383.0);
        return voice(0xE0 + *channel, bend & 0x7F, bend >> 7);
    }
    if (ledNotes().contains(command)) {
        const auto velocity = ScriptArguments::switchValue(w[2]);
        if (!velocity)
            return std::nullopt;
        return voice(0x90, ledNotes().value(command) + *channel, *velocity);
    }
    if (command == QLatin1String("ring")) {
        const auto step = number(w[2], 0, 11);
        if (!step)
            return std::nullopt;
        return voice(0xB0, 0x30 + *channel, *step);
    }
    if (command == QLatin1String("meter")) {
        const auto level = number(w[2], 0, 15);
        if (!level)
            return std::nullopt;
        const char bytes[] = {char(0xD0), char(*channel << 4 | *level)};
        return QByteArray(bytes, 2);
    }
    return std::nullopt;
}
