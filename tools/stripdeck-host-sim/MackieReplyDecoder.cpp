#include "MackieReplyDecoder.h"

QString MackieReplyDecoder::describe(const QByteArray &message)
{
    const QString other = QStringLiteral("other %1").arg(QString::fromLatin1(message.toHex(' ')));
    if (message.startsWith(char(0xF0))) {
        const QString text = describeSystemExclusive(message);
        return text.isEmpty() ? other : text;
    }
    if (message.size() != 3)
        return other;
    const auto status = quint8(message.at(0));
    const int data1 = quint8(message.at(1));
    const int data2 = quint8(message.at(2));
    if (data1 > 0x7F || data2 > 0x7F)
        return other;
    QString text;
    if ((status & 0xF0) == 0xE0 && (status & 0x0F) < 8) {
        const int value = data1 | data2 << 7;
        text = QStringLiteral("fader %1 value %2 (%3)")
                   .arg(status & 0x0F)
                   .arg(value)
                   .arg(value / 16383.0, 0, 'f', 3);
    } else if (status == 0x90) {
        text = describeNote(data1, data2);
    } else if (status == 0xB0 && data1 >= 0x10 && data1 <= 0x17) {
        text = QStringLiteral("pan %1 %2 %3")
                   .arg(data1 - 0x10)
                   .arg(data2 & 0x40 ? QStringLiteral("left") : QStringLiteral("right"))
                   .arg(data2 & 0x3F);
    }
    return text.isEmpty() ? other : text;
}

QString MackieReplyDecoder::describeNote(int note, int velocity)
{
    if (note == 0x2E)
        return QStringLiteral("bank left %1").arg(velocity);
    if (note == 0x2F)
        return QStringLiteral("bank right %1").arg(velocity);
    // Buttons and touches of channels 0 … 7, each a row of eight notes.
    const std::pair<int, const char *> channelNotes[] = {
        {0x08, "solo %1 %2"}, {0x10, "mute %1 %2"}, {0x68, "fader %1 touch %2"}};
    for (const auto &[first, format] : channelNotes) {
        if (note >= first && note < first + 8)
            return QString::fromLatin1(format).arg(note - first).arg(velocity);
    }
    return {};
}

// The handshake answers of a main unit: header F0 00 00 66 14, the command, the serial number.
QString MackieReplyDecoder::describeSystemExclusive(const QByteArray &message)
{
    const QByteArray header = QByteArray::fromHex("f000006614");
    if (!message.startsWith(header) || !message.endsWith(char(0xF7)) || message.size() < header.size() + 9)
        return {};
    const QString serial = QString::fromLatin1(message.mid(header.size() + 1, 7));
    switch (message.at(header.size())) {
    case 0x01:
        return QStringLiteral("connection query serial %1").arg(serial);
    case 0x03:
        return QStringLiteral("connection confirmation serial %1").arg(serial);
    default:
        return {};
    }
}
