#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Cuts a raw MIDI byte stream, delivered in arbitrary chunks, into complete messages.
//
// Chunk borders mean nothing: a system-exclusive message split over several chunks (JACK
// periods, ALSA sequencer events) comes out whole, with its F0 and F7. Real-time bytes
// (F8 … FF) are messages of their own even in the middle of another message. Running status
// is honoured. What cannot be a message (data bytes without a status, a system-exclusive
// message cut short by another status byte or longer than the bound) is dropped.
class MidiByteStream {
public:
    // A system-exclusive message longer than this is dropped whole, so a sender that never
    // ends one cannot make the buffer grow without limit.
    static constexpr qsizetype kMaxSystemExclusiveSize = 64 * 1024;

    // Complete messages found in the chunk, in stream order.
    QList<QByteArray> append(QByteArrayView chunk);
    // Forgets a partial message, for a gap in the stream (lost bytes).
    void reset();

private:
    void takeStatus(quint8 byte, QList<QByteArray> &out);
    void takeData(quint8 byte, QList<QByteArray> &out);
    static int dataLength(quint8 status);

    QByteArray m_pending;
    // The channel status that data bytes without a status of their own continue, or 0.
    quint8 m_runningStatus = 0;
    int m_expected = 0;
    bool m_inSystemExclusive = false;
    bool m_overlong = false;
};
