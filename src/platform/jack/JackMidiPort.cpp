#include "JackMidiPort.h"

#include "JackWaker.h"

#include <QByteArray>

#include <jack/midiport.h>

#include <algorithm>

JackMidiPort::JackMidiPort(jack_port_t *port, Direction direction)
    : m_port(port)
    , m_direction(direction)
    , m_ring(kRingCapacity)
{
}

bool JackMidiPort::send(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.data());
    const auto size = std::size_t(bytes.size());
    const std::size_t chunks = (size + kMaxChunk - 1) / kMaxChunk;
    // Checked up front so that a message is never sent in part. Only this thread writes,
    // so the space can only grow before the writes below.
    if (m_ring.writeSpace() < size + chunks * sizeof(std::uint32_t))
        return false;
    for (std::size_t offset = 0; offset < size; offset += kMaxChunk) {
        const auto length = std::uint32_t(std::min<std::size_t>(kMaxChunk, size - offset));
        if (!m_ring.write(data + offset, length))
            return false;
    }
    return true;
}

void JackMidiPort::drain(const std::function<void(QByteArrayView, bool)> &take)
{
    while (const auto size = m_ring.peek()) {
        if (*size == MidiRing::kGap) {
            m_ring.skip();
            take({}, true);
            continue;
        }
        QByteArray chunk(qsizetype(*size), Qt::Uninitialized);
        m_ring.read(reinterpret_cast<std::uint8_t *>(chunk.data()));
        take(chunk, false);
    }
}

void JackMidiPort::process(jack_nframes_t frames, JackWaker &waker) noexcept
{
    if (m_direction == Direction::Output)
        processOutput(frames);
    else if (processInput(frames))
        waker.wake();
}

// Everything waiting goes out at the start of the period; what does not fit in the port
// buffer waits for the next one. A chunk too big even for an empty buffer would block the
// ring for ever, so it is dropped.
void JackMidiPort::processOutput(jack_nframes_t frames) noexcept
{
    void *buffer = jack_port_get_buffer(m_port, frames);
    jack_midi_clear_buffer(buffer);
    bool first = true;
    while (const auto size = m_ring.peek()) {
        if (*size == MidiRing::kGap || *size == 0) {
            m_ring.skip();
            continue;
        }
        jack_midi_data_t *event = jack_midi_event_reserve(buffer, 0, *size);
        if (!event) {
            if (first)
                m_ring.skip();
            return;
        }
        m_ring.read(event);
        first = false;
    }
}

bool JackMidiPort::processInput(jack_nframes_t frames) noexcept
{
    void *buffer = jack_port_get_buffer(m_port, frames);
    const jack_nframes_t count = jack_midi_get_event_count(buffer);
    bool wrote = false;
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0)
            continue;
        if (m_pendingGap) {
            if (!m_ring.writeGap())
                continue;
            m_pendingGap = false;
            wrote = true;
        }
        if (m_ring.write(event.buffer, std::uint32_t(event.size)))
            wrote = true;
        else
            m_pendingGap = true;
    }
    return wrote;
}
