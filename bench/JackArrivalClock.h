#pragma once

// The peer end of the latency benchmarks: another JACK client whose process callback notes
// when MIDI arrives on its input. The time is taken in the peer's process callback of the
// period that delivers the event, which is when a synthesizer would first see it.
#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <thread>

class ArrivalClock {
public:
    using Clock = std::chrono::steady_clock;

    bool open()
    {
        m_client = jack_client_open("stripdeck-bench-peer", JackNoStartServer, nullptr);
        if (!m_client)
            return false;
        m_in = jack_port_register(m_client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(m_client, &ArrivalClock::process, this);
        return m_in && jack_activate(m_client) == 0;
    }
    ~ArrivalClock()
    {
        if (m_client)
            jack_client_close(m_client);
    }
    bool connectFrom(const char *port) { return jack_connect(m_client, port, jack_port_name(m_in)) == 0; }
    std::uint64_t arrivals() const { return m_arrivals.load(std::memory_order_acquire); }
    Clock::time_point lastArrival() const { return Clock::time_point(Clock::duration(m_last.load())); }
    // When the arrival after the given count came; nothing if it did not come within the time
    // (a server that overran its period may have dropped the event).
    std::optional<Clock::time_point> waitForArrivalAfter(std::uint64_t before, Clock::duration timeout) const
    {
        const auto deadline = Clock::now() + timeout;
        while (arrivals() == before) {
            if (Clock::now() > deadline)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
        return lastArrival();
    }
    jack_nframes_t periodFrames() const { return jack_get_buffer_size(m_client); }
    jack_nframes_t sampleRate() const { return jack_get_sample_rate(m_client); }

private:
    static int process(jack_nframes_t frames, void *self)
    {
        auto *clock = static_cast<ArrivalClock *>(self);
        void *buffer = jack_port_get_buffer(clock->m_in, frames);
        if (const auto count = jack_midi_get_event_count(buffer); count > 0) {
            clock->m_last.store(Clock::now().time_since_epoch().count());
            clock->m_arrivals.fetch_add(count, std::memory_order_release);
        }
        return 0;
    }

    jack_client_t *m_client = nullptr;
    jack_port_t *m_in = nullptr;
    std::atomic<Clock::rep> m_last{0};
    std::atomic<std::uint64_t> m_arrivals{0};
};
