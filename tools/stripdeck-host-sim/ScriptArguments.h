#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The argument forms the host simulator's script commands share, for every protocol.
namespace ScriptArguments {

inline std::optional<int> number(const QString &word, int low, int high)
{
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// "on" is 127, "off" 0, else a number 0 … 127.
inline std::optional<int> switchValue(const QString &word)
{
    if (word == QLatin1String("on"))
        return 127;
    if (word == QLatin1String("off"))
        return 0;
    return number(word, 0, 127);
}

// A fader position 0 … 1.
inline std::optional<double> position(const QString &word)
{
    bool ok = false;
    const double value = word.toDouble(&ok);
    if (!ok || !(value >= 0.0 && value <= 1.0))
        return std::nullopt;
    return value;
}

// The words after the command as hexadecimal bytes; nothing for none or a bad one.
inline std::optional<QByteArray> rawBytes(const QStringList &words)
{
    QByteArray bytes;
    for (qsizetype i = 1; i < words.size(); ++i) {
        bool ok = false;
        const uint value = words[i].toUInt(&ok, 16);
        if (!ok || value > 0xFF)
            return std::nullopt;
        bytes.append(char(value));
    }
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

} // namespace ScriptArguments
