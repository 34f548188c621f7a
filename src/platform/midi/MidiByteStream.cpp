#include "MidiByteStream.h"

QList<QByteArray> MidiByteStream::append(QByteArrayView chunk)
{
    QList<QByteArray> out;
    for (const char c : chunk) {
        const auto byte = static_cast<quint8>(c);
        if (byte >= 0xF8)
            out.append(QByteArray(1, c));
        else if (byte >= 0x80)
            takeStatus(byte, out);
        else
            takeData(byte, out);
    }
    return out;
}

void MidiByteStream::reset()
{
    m_pending.clear();
    m_runningStatus = 0;
    m_expected = 0;
    m_inSystemExclusive = false;
    m_overlong = false;
}

void MidiByteStream::takeStatus(quint8 byte, QList<QByteArray> &out)
{
    if (byte == 0xF7) {
        if (m_inSystemExclusive && !m_overlong) {
            m_pending.append(char(byte));
            out.append(m_pending);
        }
        reset();
        return;
    }
    // Any other status ends a system-exclusive message that has not seen its F7: it is
    // incomplete and dropped.
    reset();
    if (byte == 0xF0) {
        m_inSystemExclusive = true;
        m_pending.append(char(byte));
        return;
    }
    m_expected = dataLength(byte);
    if (m_expected == 0) {
        out.append(QByteArray(1, char(byte)));
        return;
    }
    if (byte < 0xF0)
        m_runningStatus = byte;
    m_pending.append(char(byte));
}

void MidiByteStream::takeData(quint8 byte, QList<QByteArray> &out)
{
    if (m_inSystemExclusive) {
        if (m_pending.size() >= kMaxSystemExclusiveSize) {
            m_overlong = true;
            m_pending.clear();
        }
        if (!m_overlong)
            m_pending.append(char(byte));
        return;
    }
    if (m_pending.isEmpty()) {
        if (m_runningStatus == 0)
            return;
        m_pending.append(char(m_runningStatus));
        m_expected = dataLength(m_runningStatus);
    }
    m_pending.append(char(byte));
    if (m_pending.size() == 1 + m_expected) {
        out.append(m_pending);
        m_pending.clear();
    }
}

// Data bytes that follow a status byte; 0 for messages that are complete in their status.
int MidiByteStream::dataLength(quint8 status)
{
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 1;
    case 0xF0:
        break;
    default:
        return 2;
    }
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 1;
    case 0xF2:
        return 2;
    default:
        return 0;
    }
}
