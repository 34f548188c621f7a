#pragma once

#include "MidiRing.h"

#include <QByteArrayView>

#include <jack/jack.h>

#include <functional>

class JackWaker;

// One registered JACK MIDI port and the ring that carries its bytes between the main thread
// and the process callback. An output port's ring is written on the main thread and read in
// the callback; an input port's the other way round.
class JackMidiPort {
public:
    enum class Direction { Input, Output };

    // Longest chunk on the ring. Longer messages (system exclusive) are sent as several JACK
    // events; receivers that follow the byte stream, as ours does, join them again.
    static constexpr std::uint32_t kMaxChunk = 256;
    static constexpr std::size_t kRingCapacity = 64 * 1024;

    JackMidiPort(jack_port_t *port, Direction direction);

    jack_port_t *handle() const { return m_port; }
    Direction direction() const { return m_direction; }

    // Main thread, output ports. False when the ring is full: the message is dropped whole.
    bool send(QByteArrayView bytes);
    // Main thread, input ports: hands every chunk that arrived to take, in order; a lost
    // stretch of input shows as a call with gap set.
    void drain(const std::function<void(QByteArrayView chunk, bool gap)> &take);

    // Real-time: the process callback's share for this port.
    void process(jack_nframes_t frames, JackWaker &waker) noexcept;

private:
    void processOutput(jack_nframes_t frames) noexcept;
    bool processInput(jack_nframes_t frames) noexcept;

    jack_port_t *m_port;
    Direction m_direction;
    MidiRing m_ring;
    // Real-time thread only: input was dropped and the gap mark is still to be written.
    bool m_pendingGap = false;
};
