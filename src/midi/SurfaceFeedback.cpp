#include "SurfaceFeedback.h"

#include "MidiRouter.h"

#include <QStringDecoder>

#include <algorithm>

namespace midi {

namespace {

// Body offsets: two header bytes that are not examined, then the command and its arguments.
constexpr qsizetype commandAt = 2;
constexpr qsizetype argumentsAt = 3;
constexpr qsizetype commandBodySize = argumentsAt;
constexpr qsizetype indexedTextBodySize = argumentsAt + 1;
constexpr qsizetype colorBodySize = argumentsAt + 3;

enum Command {
    TrackName = 0,
    TrackColor = 1,
    SendName = 2,
    DeviceName = 3,
    DeviceColor = 4,
    PanName = 5,
    ParameterName = 10,
};

// The bank's faders answer on channels 9 … 16, the strip's on 1 … 6.
constexpr int firstBankChannel = 9;
constexpr int lastStripChannel = 6;

int dataByte(int byte)
{
    return byte & 0x7F;
}

} // namespace

SurfaceFeedback::SurfaceFeedback(SurfaceBankFeedback &bank, SurfaceStripFeedback &strip)
    : m_bank(bank)
    , m_strip(strip)
{
}

void SurfaceFeedback::takeSurfaceMessage(const Message &message)
{
    switch (message.messageType()) {
    case MessageType::SystemExclusive:
        systemExclusive(message.data());
        break;
    case MessageType::PitchBend:
        pitchBend(message);
        break;
    case MessageType::ControlChange:
        if (message.channel() == 1)
            controlChange(message.dataByte1(), message.dataByte2());
        break;
    default:
        break;
    }
}

void SurfaceFeedback::sendControlSurfaceControl(int controller, int value, int channel, MidiRouter &out)
{
    out.sendControlSurfaceControl(controller, value, channel);
}

void SurfaceFeedback::sendControlSurfacePitchBend(quint16 value, int channel, MidiRouter &out)
{
    out.sendControlSurfacePitchBend(value, channel);
}

// Another protocol may have left the strip with a device; a native host says whether there is
// one, and until it does the device button sends nothing.
void SurfaceFeedback::activate()
{
    m_strip.hasDevice(false);
    m_strip.setSendsEnabled(true);
}

// A body too short for its command is outside the protocol and dropped whole, so nothing is
// ever read past its end.
void SurfaceFeedback::systemExclusive(QByteArrayView body)
{
    if (body.size() < commandBodySize)
        return;
    const auto byteAt = [&](qsizetype index) { return int(quint8(body[index])); };
    const auto textFrom = [&](qsizetype index) { return convertDataToUTF8(body.sliced(index)); };
    switch (byteAt(commandAt)) {
    case TrackName:
        m_strip.setChannelName(textFrom(argumentsAt));
        break;
    case TrackColor:
        if (body.size() < colorBodySize)
            return;
        m_currentTrackColor = colorAt(body);
        m_strip.updateTrackColor();
        break;
    case SendName:
        if (body.size() < indexedTextBodySize)
            return;
        m_strip.setSendName(textFrom(argumentsAt + 1), byteAt(argumentsAt));
        break;
    case DeviceName:
        m_strip.setDeviceName(textFrom(argumentsAt));
        break;
    case DeviceColor:
        if (body.size() < colorBodySize)
            return;
        m_currentDeviceColor = colorAt(body);
        m_strip.setDeviceColor(m_currentDeviceColor);
        m_bank.updateTrackColor();
        break;
    case PanName:
        m_strip.setPanName(textFrom(argumentsAt));
        break;
    case ParameterName:
        if (body.size() < indexedTextBodySize)
            return;
        m_bank.setParameterName(textFrom(argumentsAt + 1), byteAt(argumentsAt));
        break;
    default:
        break;
    }
}

// Components are 0 … 127; a larger byte (outside the protocol) counts as full intensity so
// the colour stays valid.
QColor SurfaceFeedback::colorAt(QByteArrayView body)
{
    const auto component = [&](qsizetype index) {
        return float(std::min(int(quint8(body[index])), 127)) / 127.0f;
    };
    return QColor::fromRgbF(component(argumentsAt), component(argumentsAt + 1), component(argumentsAt + 2),
                            1.0f);
}

// The MSB must reach an item before the LSB: the item computes the position on the LSB.
void SurfaceFeedback::pitchBend(const Message &message)
{
    const int channel = message.channel();
    const int msb = dataByte(message.dataByte2());
    const int lsb = dataByte(message.dataByte1());
    if (channel >= firstBankChannel) {
        m_bank.setMSB(msb, channel - firstBankChannel);
        m_bank.setLSB(lsb, channel - firstBankChannel);
    } else if (channel >= 1 && channel <= lastStripChannel) {
        m_strip.setMSB(msb, channel - 1);
        m_strip.setLSB(lsb, channel - 1);
    }
}

void SurfaceFeedback::controlChange(int controller, int value)
{
    switch (controller) {
    case 1:
        m_strip.setSoloButton(value);
        break;
    case 2:
        m_strip.setMuteButton(value);
        break;
    case 3:
        m_strip.hasDevice(value != 0);
        if (value == 0 && m_closePopUp)
            m_closePopUp();
        break;
    case 11:
        m_bank.setDeviceOnValue(value > 64);
        break;
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
    case 25:
    case 26:
    case 27:
        m_bank.setParameterType(value, controller - 20);
        break;
    case 28:
        m_bank.setColorMode(value != 0 ? 2 : 0);
        break;
    case 29:
        m_bank.setButtonMode(value != 0 ? 1 : 0);
        break;
    case 30:
        m_bank.setBankMode(value != 0 ? 1 : 0);
        break;
    case 31:
        m_bank.setBankNumber(value == 0 ? QStringLiteral("-") : QString::number(value));
        break;
    default:
        break;
    }
}

// Every input byte but each eighth yields one output byte: the rest of its bits shifted up,
// topped with the high bits of the next. The last byte of a partial group is made from its
// own bits alone, which often gives a zero byte that stays in the text.
QString SurfaceFeedback::convertDataToUTF8(QByteArrayView data)
{
    QByteArray bytes;
    bytes.reserve(data.size());
    int shift = 1;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (shift == 8) {
            shift = 1;
            continue;
        }
        int byte = quint8(data[i]) << shift;
        if (i + 1 < data.size())
            byte += quint8(data[i + 1]) >> (7 - shift);
        bytes.append(char(byte & 0xFF));
        ++shift;
    }
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QStringLiteral("null") : text;
}

} // namespace midi
