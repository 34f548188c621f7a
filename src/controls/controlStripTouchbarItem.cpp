#include "controlStripTouchbarItem.h"

#include "FaderValue.h"

namespace {

constexpr int firstTouchController = 40;
constexpr int soloController = 1;
constexpr int muteController = 2;

} // namespace

controlStripTouchbarItem::controlStripTouchbarItem(const QString &identifier, QObject *parent)
    : QObject(parent)
    , m_identifier(identifier)
{
    for (int send = 0; send < sendCount; ++send)
        m_allSendNames[send] = QStringLiteral("Send %1").arg(send + 1);
}

void controlStripTouchbarItem::setMSB(int msb, int faderNr)
{
    if (isFader(faderNr))
        m_allMSBs[faderNr] = msb;
}

void controlStripTouchbarItem::setLSB(int lsb, int faderNr)
{
    if (!isFader(faderNr))
        return;
    m_allFaderValues[faderNr] = FaderValue::fromBytes(m_allMSBs[faderNr], lsb);
    Q_EMIT displayChanged();
}

void controlStripTouchbarItem::setChannelName(const QString &name)
{
    m_channelName = name;
    Q_EMIT nameChanged();
}

void controlStripTouchbarItem::setSendName(const QString &name, int send)
{
    if (send < 0 || send >= sendCount)
        return;
    m_allSendNames[send] = name;
    Q_EMIT nameChanged();
}

// A new device means a newly selected track, whose colour has arrived before.
void controlStripTouchbarItem::setDeviceName(const QString &name)
{
    m_deviceName = name;
    Q_EMIT onColorChanged(m_touchDelegate ? m_touchDelegate->getCurrentTrackColor() : QColor());
    Q_EMIT allNamesChanged();
}

void controlStripTouchbarItem::setPanName(const QString &name)
{
    m_panName = name;
    Q_EMIT nameChanged();
}

void controlStripTouchbarItem::setDeviceColor(const QColor &color)
{
    m_deviceColor = color;
    Q_EMIT displayChanged();
}

void controlStripTouchbarItem::hasDevice(bool yes)
{
    m_hasDevice = yes;
    Q_EMIT allNamesChanged();
}

void controlStripTouchbarItem::setSoloButton(int value)
{
    m_soloButtonValue = value;
    Q_EMIT displayChanged();
}

void controlStripTouchbarItem::setMuteButton(int value)
{
    m_muteButtonValue = value;
    Q_EMIT displayChanged();
}

void controlStripTouchbarItem::updateTrackColor()
{
    Q_EMIT onColorChanged(m_touchDelegate ? m_touchDelegate->getCurrentTrackColor() : QColor());
}

void controlStripTouchbarItem::setSendsEnabled(bool enabled)
{
    if (enabled == m_sendsEnabled)
        return;
    m_sendsEnabled = enabled;
    Q_EMIT displayChanged();
}

void controlStripTouchbarItem::openDevice()
{
    if (m_hasDevice && m_touchDelegate)
        m_touchDelegate->openDeviceTouchBar();
}

void controlStripTouchbarItem::updateDeviceColor()
{
    if (m_view && getDeviceName() == noDeviceName())
        return;
    m_deviceColor = m_touchDelegate ? m_touchDelegate->getCurrentDeviceColor() : QColor();
    Q_EMIT layoutChanged();
}

void controlStripTouchbarItem::sendValue(float value, int fader)
{
    if (!isLive(fader))
        return;
    m_allFaderValues[fader] = value;
    if (m_touchDelegate)
        m_touchDelegate->sendControlSurfacePitchBend(FaderValue::toPitchBend(value), fader + 1);
}

void controlStripTouchbarItem::sendTouch(int state, int fader)
{
    if (isLive(fader) && m_touchDelegate)
        m_touchDelegate->sendControlSurfaceControl(firstTouchController + fader, state, 1);
}

float controlStripTouchbarItem::getValueForFader(int fader) const
{
    return isFader(fader) ? m_allFaderValues[fader] : 0.0f;
}

// A touch moves a 0 … 127 state to the far end of the other half (below 64, or 64 and up).
int controlStripTouchbarItem::toggled(int state)
{
    return state < 64 ? 127 : 0;
}

void controlStripTouchbarItem::sendSoloButton()
{
    m_soloButtonValue = toggled(m_soloButtonValue);
    if (m_touchDelegate)
        m_touchDelegate->sendControlSurfaceControl(soloController, m_soloButtonValue, 1);
    Q_EMIT displayChanged();
}

void controlStripTouchbarItem::sendMuteButton()
{
    m_muteButtonValue = toggled(m_muteButtonValue);
    if (m_touchDelegate)
        m_touchDelegate->sendControlSurfaceControl(muteController, m_muteButtonValue, 1);
    Q_EMIT displayChanged();
}

QColor controlStripTouchbarItem::getDeviceColor() const
{
    return m_hasDevice ? m_deviceColor : QColor();
}

QString controlStripTouchbarItem::getDeviceName() const
{
    return m_hasDevice ? m_deviceName : noDeviceName();
}

QString controlStripTouchbarItem::getNameForSend(int send) const
{
    return send >= 0 && send < sendCount ? m_allSendNames[send] : QString();
}
