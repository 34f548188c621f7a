// Latency from OutputPort::send on the main thread to the bytes arriving in another client's
// JACK input, on whatever server JACK_DEFAULT_SERVER names (scripts/bench-latency runs the
// dummy driver at 48 kHz with 64-frame periods). The path crosses the ring buffer and at
// least one period boundary, so the figures are dominated by the period (1.33 ms).
#include "JackArrivalClock.h"
#include "JackBackend.h"
#include "LatencySamples.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = ArrivalClock::Clock;

void BM_JackSendToPeerInput(benchmark::State &state)
{
    auto backend = JackBackend::open(QStringLiteral("Stripdeck Bench"));
    ArrivalClock peer;
    if (!backend || !peer.open()) {
        state.SkipWithError("no JACK server (run scripts/bench-latency)");
        return;
    }
    auto port = backend->createVirtualSource(QStringLiteral("Stripdeck User"), 0);
    if (!port || !peer.connectFrom("Stripdeck User:out")) {
        state.SkipWithError("could not connect the peer");
        return;
    }
    const midi::Message message(QByteArray::fromHex("b00764"));
    LatencySamples samples;
    for (auto _ : state) {
        const std::uint64_t before = peer.arrivals();
        const auto start = Clock::now();
        port->send(message);
        if (!samples.record(state, peer, before, start))
            continue;
        // Start the next send at a random phase of the period, as a touch would.
        std::this_thread::sleep_for(std::chrono::microseconds(100 + samples.count() * 37 % 1300));
    }
    samples.report(state, peer);
}
BENCHMARK(BM_JackSendToPeerInput)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
