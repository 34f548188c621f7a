#include "SurfaceReplyDecoder.h"

QString SurfaceReplyDecoder::describe(const QByteArray &message)
{
    const QString other = QStringLiteral("other %1").arg(QString::fromLatin1(message.toHex(' ')));
    if (message.size() != 3)
        return other;
    const auto status = quint8(message.at(0));
    const int data1 = quint8(message.at(1));
    const int data2 = quint8(message.at(2));
    if (data1 > 0x7F || data2 > 0x7F)
        return other;
    QString text;
    if ((status & 0xF0) == 0xE0)
        text = describePitchBend((status & 0x0F) + 1, data1 | data2 << 7);
    else if (status == 0xB0)
        text = describeControl(data1, data2);
    return text.isEmpty() ? other : text;
}

// Bank faders on channels 9 … 16, strip faders on 1 … 6.
QString SurfaceReplyDecoder::describePitchBend(int channel, int value)
{
    const QString position = QStringLiteral("value %1 (%2)").arg(value).arg(value / 16383.0, 0, 'f', 3);
    if (channel >= 9)
        return QStringLiteral("bank fader %1 %2").arg(channel - 9).arg(position);
    if (channel <= 6)
        return QStringLiteral("strip fader %1 %2").arg(channel - 1).arg(position);
    return {};
}

QString SurfaceReplyDecoder::describeControl(int controller, int value)
{
    if (controller >= 50 && controller <= 57)
        return QStringLiteral("bank fader %1 touch %2").arg(controller - 50).arg(value);
    if (controller >= 40 && controller <= 45)
        return QStringLiteral("strip fader %1 touch %2").arg(controller - 40).arg(value);
    switch (controller) {
    case 1:
        return QStringLiteral("strip solo %1").arg(value);
    case 2:
        return QStringLiteral("strip mute %1").arg(value);
    case 4:
        return QStringLiteral("strip device %1").arg(value);
    case 10:
        return QStringLiteral("bank previous %1").arg(value);
    case 11:
        return QStringLiteral("bank next %1").arg(value);
    default:
        return {};
    }
}
