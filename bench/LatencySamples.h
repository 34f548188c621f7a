#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

// The latencies of one benchmark run, from the moment a send began to the peer's arrival, and
// the events that never arrived.
class LatencySamples {
public:
    // Waits for the arrival after `before` and takes its time since `start` as the iteration's;
    // false, counting a lost event, when it does not come (a server that overran its period
    // may have dropped it).
    template <typename Peer>
    bool record(benchmark::State &state, const Peer &peer, std::uint64_t before,
                std::chrono::steady_clock::time_point start)
    {
        const auto arrival = peer.waitForArrivalAfter(before, std::chrono::milliseconds(100));
        if (!arrival) {
            ++m_lost;
            return false;
        }
        const std::chrono::duration<double> elapsed = *arrival - start;
        state.SetIterationTime(elapsed.count());
        m_microseconds.push_back(elapsed.count() * 1e6);
        return true;
    }
    std::size_t count() const { return m_microseconds.size(); }

    // Median, 99th percentile and maximum as counters, the server's period so that a run on
    // other settings reads correctly, and the number of events lost.
    template <typename JackPeer> void report(benchmark::State &state, const JackPeer &peer)
    {
        state.counters["period_us"] = 1e6 * peer.periodFrames() / peer.sampleRate();
        report(state);
    }
    // The same without a period (the ALSA sequencer has none).
    void report(benchmark::State &state)
    {
        state.counters["lost"] = m_lost;
        if (m_microseconds.empty())
            return;
        std::sort(m_microseconds.begin(), m_microseconds.end());
        state.counters["median_us"] = median();
        state.counters["p99_us"] = percentile(m_microseconds, 99);
        state.counters["max_us"] = m_microseconds.back();
    }
    // Of the samples as report() sorted them.
    double median() const { return m_microseconds.empty() ? 0.0 : percentile(m_microseconds, 50); }

    static double percentile(const std::vector<double> &sorted, int percent)
    {
        return sorted[sorted.size() * percent / 100];
    }

private:
    std::vector<double> m_microseconds;
    int m_lost = 0;
};
