#include "eightFaderTouchbarItem.h"

#include "FaderValue.h"

namespace {

// Shown on the previous-bank button in bank mode 1: an upward arrow in text presentation.
const QString bankModeArrow = QStringLiteral("\u2B06\uFE0E");

constexpr int firstFaderChannel = 9;
constexpr int firstTouchController = 50;
constexpr int previousBankController = 10;
constexpr int nextBankController = 11;
constexpr int buttonPressed = 127;

} // namespace

eightFaderTouchbarItem::eightFaderTouchbarItem(const QString &identifier, QObject *parent)
    : QObject(parent)
    , m_identifier(identifier)
{
    m_allParameterTypes.fill(QStringLiteral("1"));
}

void eightFaderTouchbarItem::setMSB(int msb, int faderNr)
{
    if (isSlot(faderNr))
        m_allMSBs[faderNr] = msb;
}

void eightFaderTouchbarItem::setLSB(int lsb, int faderNr)
{
    if (!isSlot(faderNr))
        return;
    m_allFaderValues[faderNr] = FaderValue::fromBytes(m_allMSBs[faderNr], lsb);
    Q_EMIT displayChanged();
}

void eightFaderTouchbarItem::setParameterName(const QString &name, int parameter)
{
    if (!isSlot(parameter))
        return;
    m_allParameterNames[parameter] = name;
    Q_EMIT nameChanged();
}

void eightFaderTouchbarItem::setParameterType(int type, int parameter)
{
    if (!isSlot(parameter))
        return;
    m_allParameterTypes[parameter] = QString::number(type);
    Q_EMIT allNamesChanged();
}

// Without a view the stored bank number is left alone; with one, bank mode 1 replaces it by
// the arrow, which then stays after the mode returns to 0 until the host sends a number.
void eightFaderTouchbarItem::setBankMode(int mode)
{
    m_bankMode = mode;
    if (!m_view)
        return;
    if (mode == 1)
        setBankNumber(bankModeArrow);
    Q_EMIT displayChanged();
}

void eightFaderTouchbarItem::setDeviceOnValue(bool on)
{
    m_deviceOnValue = on;
    Q_EMIT displayChanged();
}

void eightFaderTouchbarItem::setBankNumber(const QString &number)
{
    m_bankNumer = number;
    Q_EMIT bankNumberChanged(number);
}

QString eightFaderTouchbarItem::getBankNumber() const
{
    return m_bankMode == 1 ? bankModeArrow : m_bankNumer;
}

// The bank is lit in the colour of the device, not of the track.
void eightFaderTouchbarItem::updateTrackColor()
{
    Q_EMIT onColorChanged(m_touchDelegate ? m_touchDelegate->getCurrentDeviceColor() : QColor());
}

void eightFaderTouchbarItem::sendValue(float value, int fader, bool invert)
{
    if (!isSlot(fader))
        return;
    m_allFaderValues[fader] = value;
    const float sent = invert ? (value == 0.0f ? 1.0f : 0.0f) : value;
    if (m_touchDelegate)
        m_touchDelegate->sendControlSurfacePitchBend(FaderValue::toPitchBend(sent),
                                                     firstFaderChannel + fader);
}

void eightFaderTouchbarItem::sendTouch(int state, int fader)
{
    if (isSlot(fader) && m_touchDelegate)
        m_touchDelegate->sendControlSurfaceControl(firstTouchController + fader, state, 1);
}

void eightFaderTouchbarItem::setValue(float value, int faderNr)
{
    if (!isSlot(faderNr))
        return;
    m_allFaderValues[faderNr] = value;
    Q_EMIT displayChanged();
}

float eightFaderTouchbarItem::getValueForFader(int fader) const
{
    return isSlot(fader) ? m_allFaderValues[fader] : 0.0f;
}

QStringList eightFaderTouchbarItem::getParameterNames() const
{
    return {m_allParameterNames.begin(), m_allParameterNames.end()};
}

QString eightFaderTouchbarItem::getParameterName(int parameter) const
{
    return isSlot(parameter) ? m_allParameterNames[parameter] : QString();
}

QStringList eightFaderTouchbarItem::getParameterTypes() const
{
    return {m_allParameterTypes.begin(), m_allParameterTypes.end()};
}

void eightFaderTouchbarItem::sendButtonPrev()
{
    if (m_touchDelegate)
        m_touchDelegate->sendControlSurfaceControl(previousBankController, buttonPressed, 1);
}

void eightFaderTouchbarItem::sendButtonNext()
{
    if (m_touchDelegate)
        m_touchDelegate->sendControlSurfaceControl(nextBankController, buttonPressed, 1);
}
