// Latency on the ALSA sequencer from a finger landing on a pad of the user touch bar to the
// pad's control change arriving at another sequencer client: the pad as the program's item
// factory makes it, its action, the router, the "Stripdeck User" stream and the ALSA backend,
// driven by touchscreen events on the offscreen platform. Beside it, as the yardstick, the
// same event sent by a bare sequencer client with libasound alone, so that a run in an
// emulated machine (scripts/bench-latency-alsa) still says what the program adds: the touch
// benchmark reports its median as a ratio of the bare one's.
#include "AlsaArrivalClock.h"
#include "AlsaBackend.h"
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

using Clock = AlsaArrivalClock::Clock;

// The bare send's median, for the ratio; 0 until it ran.
double bareMedianUs = 0;

// Touches and sends come at random moments, as a finger would; a fixed seed keeps runs
// comparable.
class Pause {
public:
    void operator()() { std::this_thread::sleep_for(std::chrono::microseconds(m_spread(m_random))); }

private:
    std::mt19937 m_random{20261206};
    std::uniform_int_distribution<int> m_spread{100, 2000};
};

void BM_BareSequencerSendToPeer(benchmark::State &state)
{
    AlsaArrivalClock peer;
    snd_seq_t *seq = nullptr;
    if (!peer.open() || snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
        state.SkipWithError("no ALSA sequencer (run scripts/bench-latency-alsa)");
        return;
    }
    snd_seq_set_client_name(seq, "stripdeck-bench-bare");
    const int port =
        snd_seq_create_simple_port(seq, "out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    const snd_seq_addr_t to = peer.address();
    if (port < 0 || snd_seq_connect_to(seq, port, to.client, to.port) < 0) {
        state.SkipWithError("could not connect the bare client to the peer");
        snd_seq_close(seq);
        return;
    }
    LatencySamples samples;
    Pause pause;
    int value = 0;
    for (auto _ : state) {
        const std::uint64_t before = peer.arrivals();
        const auto start = Clock::now();
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        snd_seq_ev_set_controller(&event, 0, 20, value);
        value = 127 - value;
        snd_seq_ev_set_source(&event, port);
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        snd_seq_event_output_direct(seq, &event);
        if (samples.record(state, peer, before, start))
            pause();
    }
    samples.report(state);
    bareMedianUs = samples.median();
    snd_seq_close(seq);
}
BENCHMARK(BM_BareSequencerSendToPeer)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

void BM_TouchOnPadToPeer(benchmark::State &state)
{
    PadProgram program;
    AlsaArrivalClock peer;
    auto backend = AlsaBackend::open(QStringLiteral("Stripdeck"));
    const int client = backend ? backend->clientId() : -1;
    if (!program.launch(std::move(backend)) || !peer.open()) {
        state.SkipWithError("no ALSA sequencer (run scripts/bench-latency-alsa)");
        return;
    }
    if (!peer.connectFrom(client, "Stripdeck User")) {
        state.SkipWithError("could not connect the peer to Stripdeck User");
        return;
    }
    LatencySamples samples;
    std::vector<double> inProgram;
    Pause pause;
    for (auto _ : state) {
        const std::uint64_t before = peer.arrivals();
        const auto start = Clock::now();
        program.touch();
        const auto handed = Clock::now();
        if (!samples.record(state, peer, before, start))
            continue;
        inProgram.push_back(std::chrono::duration<double, std::micro>(handed - start).count());
        pause();
    }
    if (!inProgram.empty()) {
        std::sort(inProgram.begin(), inProgram.end());
        state.counters["in_program_median_us"] = LatencySamples::percentile(inProgram, 50);
    }
    samples.report(state);
    if (bareMedianUs > 0)
        state.counters["median_over_bare"] = samples.median() / bareMedianUs;
}
BENCHMARK(BM_TouchOnPadToPeer)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

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
