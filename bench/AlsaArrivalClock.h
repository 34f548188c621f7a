#pragma once

// The peer end of the ALSA latency benchmarks: another sequencer client whose reading thread
// notes when an event arrives on its port, which is when a synthesizer would first see it.
#include <alsa/asoundlib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <poll.h>
#include <thread>
#include <vector>

class AlsaArrivalClock {
public:
    using Clock = std::chrono::steady_clock;

    bool open()
    {
        if (snd_seq_open(&m_seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0)
            return false;
        snd_seq_set_client_name(m_seq, "stripdeck-bench-peer");
        m_in = snd_seq_create_simple_port(m_seq, "in", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
                                          SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
        if (m_in < 0)
            return false;
        m_reader = std::thread([this] { read(); });
        return true;
    }
    ~AlsaArrivalClock()
    {
        m_stop = true;
        if (m_reader.joinable())
            m_reader.join();
        if (m_seq)
            snd_seq_close(m_seq);
    }

    snd_seq_addr_t address() const
    {
        return {static_cast<unsigned char>(snd_seq_client_id(m_seq)), static_cast<unsigned char>(m_in)};
    }
    // Subscribes to the readable port of that name of a client.
    bool connectFrom(int client, const char *portName)
    {
        snd_seq_port_info_t *info = nullptr;
        snd_seq_port_info_alloca(&info);
        snd_seq_port_info_set_client(info, client);
        snd_seq_port_info_set_port(info, -1);
        while (snd_seq_query_next_port(m_seq, info) >= 0) {
            const bool readable = snd_seq_port_info_get_capability(info) & SND_SEQ_PORT_CAP_SUBS_READ;
            if (readable && std::strcmp(snd_seq_port_info_get_name(info), portName) == 0)
                return snd_seq_connect_from(m_seq, m_in, client, snd_seq_port_info_get_port(info)) == 0;
        }
        return false;
    }
    std::uint64_t arrivals() const { return m_arrivals.load(std::memory_order_acquire); }
    // When the arrival after the given count came; nothing if it did not come within the time.
    std::optional<Clock::time_point> waitForArrivalAfter(std::uint64_t before, Clock::duration timeout) const
    {
        const auto deadline = Clock::now() + timeout;
        while (arrivals() == before) {
            if (Clock::now() > deadline)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
        return Clock::time_point(Clock::duration(m_last.load()));
    }

private:
    // Waits in poll, so the time is taken as soon as the kernel wakes the reader.
    void read()
    {
        std::vector<pollfd> descriptors(snd_seq_poll_descriptors_count(m_seq, POLLIN));
        snd_seq_poll_descriptors(m_seq, descriptors.data(), descriptors.size(), POLLIN);
        while (!m_stop) {
            if (::poll(descriptors.data(), descriptors.size(), 50) <= 0)
                continue;
            const auto now = Clock::now();
            snd_seq_event_t *event = nullptr;
            std::uint64_t count = 0;
            while (snd_seq_event_input(m_seq, &event) >= 0 && event) {
                if (event->type == SND_SEQ_EVENT_CONTROLLER)
                    ++count;
            }
            if (count > 0) {
                m_last.store(now.time_since_epoch().count());
                m_arrivals.fetch_add(count, std::memory_order_release);
            }
        }
    }

    snd_seq_t *m_seq = nullptr;
    int m_in = -1;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    std::atomic<Clock::rep> m_last{0};
    std::atomic<std::uint64_t> m_arrivals{0};
};
