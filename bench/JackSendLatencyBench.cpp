// Latency from OutputPort::send on the main thread to the bytes arriving in another client's
// JACK input, on whatever server JACK_DEFAULT_SERVER names (scripts/with-test-services runs
// the dummy driver at 48 kHz with 64-frame periods). The path crosses the ring buffer and at
// least one period boundary, so the figures are dominated by the period (1.33 ms).
#include "JackBackend.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A client whose process callback notes when an event arrives on its input.
class ArrivalClock {
public:
    bool open() {
        m_client = jack_client_open("stripdeck-bench-peer", JackNoStartServer, nullptr);
        if (!m_client)
            return false;
        m_in = jack_port_register(m_client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(m_client, &ArrivalClock::process, this);
        return m_in && jack_activate(m_client) == 0;
    }
    ~ArrivalClock() {
        if (m_client)
            jack_client_close(m_client);
    }
    bool connectFrom(const char *port) {
        return jack_connect(m_client, port, jack_port_name(m_in)) == 0;
    }
    std::uint64_t arrivals() const { return m_arrivals.load(std::memory_order_acquire); }
    Clock::time_point lastArrival() const {
        return Clock::time_point(Clock::duration(m_last.load()));
    }

private:
    static int process(jack_nframes_t frames, void *self) {
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

void BM_JackSendToPeerInput(benchmark::State &state) {
    auto backend = JackBackend::open(QStringLiteral("Stripdeck Bench"));
    ArrivalClock peer;
    if (!backend || !peer.open()) {
        state.SkipWithError("no JACK server (run under scripts/with-test-services)");
        return;
    }
    auto port = backend->createVirtualSource(QStringLiteral("Stripdeck User"), 0);
    if (!port || !peer.connectFrom("Stripdeck User:out")) {
        state.SkipWithError("could not connect the peer");
        return;
    }
    const midi::Message message(QByteArray::fromHex("b00764"));
    std::vector<double> microseconds;
    for (auto _ : state) {
        const std::uint64_t before = peer.arrivals();
        const auto start = Clock::now();
        port->send(message);
        while (peer.arrivals() == before)
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        const std::chrono::duration<double> elapsed = peer.lastArrival() - start;
        state.SetIterationTime(elapsed.count());
        microseconds.push_back(elapsed.count() * 1e6);
        // Start the next send at a random phase of the period, as a touch would.
        std::this_thread::sleep_for(
            std::chrono::microseconds(100 + microseconds.size() * 37 % 1300));
    }
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p99_us"] = microseconds[microseconds.size() * 99 / 100];
    state.counters["max_us"] = microseconds.back();
}
BENCHMARK(BM_JackSendToPeerInput)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
