#include "SurfaceEncoder.h"

#include <algorithm>

QByteArray SurfaceEncoder::packText(const QByteArray &utf8)
{
    QByteArray packed;
    quint32 bits = 0;
    int count = 0;
    for (const char c : utf8) {
        bits = (bits << 8) | quint8(c);
        count += 8;
        while (count >= 7) {
            count -= 7;
            packed.append(char((bits >> count) & 0x7F));
        }
    }
    if (count > 0)
        packed.append(char((bits << (7 - count)) & 0x7F));
    return packed;
}

QByteArray SurfaceEncoder::systemExclusive(quint8 command, const QByteArray &arguments)
{
    return QByteArray::fromHex("f07d00") + char(command & 0x7F) + arguments + char(0xF7);
}

QByteArray SurfaceEncoder::text(Text command, int index, const QString &text)
{
    QByteArray arguments;
    if (command == Text::SendName || command == Text::ParameterName)
        arguments.append(char(index & 0x7F));
    arguments.append(packText(text.toUtf8()));
    return systemExclusive(quint8(command), arguments);
}

QByteArray SurfaceEncoder::colour(Colour command, int red, int green, int blue)
{
    const QByteArray arguments{1, char(red & 0x7F)};
    return systemExclusive(quint8(command), arguments + char(green & 0x7F) + char(blue & 0x7F));
}

QByteArray SurfaceEncoder::faderPosition(int channel, double fraction)
{
    const int value = int(std::clamp(fraction, 0.0, 1.0) * 16383);
    return QByteArray{1, char(0xE0 | ((channel - 1) & 0x0F))} + char(value & 0x7F) + char(value >> 7);
}

QByteArray SurfaceEncoder::control(int controller, int value)
{
    return QByteArray{1, char(0xB0)} + char(controller & 0x7F) + char(value & 0x7F);
}
