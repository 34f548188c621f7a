// Latency from a finger landing on a pad of the user touch bar to the pad's control change
// arriving in another client's JACK input: the pad as the program's item factory makes it, its
// action, the router, the "Stripdeck User" stream and the JACK backend, driven by touchscreen
// events on the offscreen platform. Run with scripts/bench-latency, which gives it a private
// dummy server at 48 kHz with 64-frame periods.
#include "JackArrivalClock.h"
#include "JackBackend.h"
#include "LatencySamples.h"
#include "PadProgram.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = ArrivalClock::Clock;

void BM_TouchOnPadToPeerInput(benchmark::State &state)
{
    PadProgram program;
    ArrivalClock peer;
    if (!program.launch(JackBackend::open(QStringLiteral("Stripdeck Bench Port"))) || !peer.open()) {
        state.SkipWithError("no JACK server (run scripts/bench-latency)");
        return;
    }
    if (!peer.connectFrom("Stripdeck User:out")) {
        state.SkipWithError("could not connect the peer to Stripdeck User");
        return;
    }
    const double periodUs = 1e6 * peer.periodFrames() / peer.sampleRate();
    // Touches come at any moment of the period; a fixed seed keeps runs comparable.
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> phase(0, int(2 * periodUs));
    LatencySamples samples;
    std::vector<double> inProgram;
    for (auto _ : state) {
        const std::uint64_t before = peer.arrivals();
        const auto start = Clock::now();
        program.touch();
        const auto handed = Clock::now();
        if (!samples.record(state, peer, before, start))
            continue;
        inProgram.push_back(std::chrono::duration<double, std::micro>(handed - start).count());
        std::this_thread::sleep_for(std::chrono::microseconds(phase(random)));
    }
    if (!inProgram.empty()) {
        std::sort(inProgram.begin(), inProgram.end());
        state.counters["in_program_median_us"] = LatencySamples::percentile(inProgram, 50);
    }
    samples.report(state, peer);
}
BENCHMARK(BM_TouchOnPadToPeerInput)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
