#pragma once

#include "JackArrivalClock.h"

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
    bool record(benchmark::State &state, const ArrivalClock &peer, std::uint64_t before,
                ArrivalClock::Clock::time_point start)
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
    void report(benchmark::State &state, const ArrivalClock &peer)
    {
        state.counters["lost"] = m_lost;
        state.counters["period_us"] = 1e6 * peer.periodFrames() / peer.sampleRate();
        if (m_microseconds.empty())
            return;
        std::sort(m_microseconds.begin(), m_microseconds.end());
        state.counters["median_us"] = percentile(m_microseconds, 50);
        state.counters["p99_us"] = percentile(m_microseconds, 99);
        state.counters["max_us"] = m_microseconds.back();
    }

    static double percentile(const std::vector<double> &sorted, int percent)
    {
        return sorted[sorted.size() * percent / 100];
    }

private:
    std::vector<double> m_microseconds;
    int m_lost = 0;
};
