// Latency from a finger landing on a pad of the user touch bar to the pad's control change
// arriving in another client's JACK input: the pad as the program's item factory makes it, its
// action, the router, the "Stripdeck User" stream and the JACK backend, driven by touchscreen
// events on the offscreen platform. Run with scripts/bench-latency, which gives it a private
// dummy server at 48 kHz with 64-frame periods.
#include "JackBackend.h"
#include "LatencySamples.h"

#include "app/AppDelegate.h"
#include "app/StatusItemHost.h"
#include "midi/Client.h"
#include "model/ControlCatalog.h"
#include "model/ControlMaps.h"
#include "model/UserDefaults.h"
#include "platform/touchbar/HeadlessTouchBarHost.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTouchEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = ArrivalClock::Clock;

class NoStatusItem : public StatusItemHost {
public:
    void setMenu(Menu *) override {}
    void setVisible(bool) override {}
};

// The launched program on JACK with one momentary control-change pad.
struct Program {
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    NoStatusItem statusItem;
    HeadlessTouchBarHost host;
    std::unique_ptr<AppDelegate> app;
    std::shared_ptr<TouchBarItem> pad;

    bool launch()
    {
        auto backend = JackBackend::open(QStringLiteral("Stripdeck Bench Port"));
        if (!backend)
            return false;
        midi::Client::installBackend(std::move(backend));
        app = std::make_unique<AppDelegate>(defaults, statusItem, host);
        app->applicationDidFinishLaunching();
        app->presentation().setUserTouchbarNumber(0);
        const QVariantMap record{{QStringLiteral("kind"), QStringLiteral("ctrl")},
                                 {QStringLiteral("value"), 20},
                                 {QStringLiteral("channel"), 1},
                                 {QStringLiteral("type"), QStringLiteral("momentary")}};
        if (!ControlMaps(defaults).writeRecord(0, {}, QStringLiteral("pad1"), record))
            return false;
        pad = app->makeItemForIdentifier(*app->templates().userTouchBar(0),
                                         ControlCatalog::identifier(QStringLiteral("pad1")));
        if (!pad || !pad->view())
            return false;
        pad->view()->resize(72, 30);
        pad->view()->show();
        return QTest::qWaitForWindowExposed(pad->view());
    }

    ~Program()
    {
        pad.reset();
        app.reset();
        midi::Client::installBackend(nullptr);
    }
};

void BM_TouchOnPadToPeerInput(benchmark::State &state)
{
    Program program;
    ArrivalClock peer;
    if (!program.launch() || !peer.open()) {
        state.SkipWithError("no JACK server (run scripts/bench-latency)");
        return;
    }
    if (!peer.connectFrom("Stripdeck User:out")) {
        state.SkipWithError("could not connect the peer to Stripdeck User");
        return;
    }
    QWidget *view = program.pad->view();
    QPointingDevice *screen = QTest::createTouchDevice();
    const double periodUs = 1e6 * peer.periodFrames() / peer.sampleRate();
    // Touches come at any moment of the period; a fixed seed keeps runs comparable.
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> phase(0, int(2 * periodUs));
    LatencySamples samples;
    std::vector<double> inProgram;
    const QPointF at(36, 15);
    bool down = false;
    for (auto _ : state) {
        const std::uint64_t before = peer.arrivals();
        const auto start = Clock::now();
        // Straight to the widget through the application, as Qt hands a touchscreen's event on;
        // QTest's touch sequences sleep a millisecond per event to space their time stamps.
        const QEventPoint point(0, down ? QEventPoint::State::Released : QEventPoint::State::Pressed, at,
                                view->mapToGlobal(at));
        QTouchEvent touch(down ? QEvent::TouchEnd : QEvent::TouchBegin, screen, Qt::NoModifier, {point});
        QApplication::sendEvent(view, &touch);
        down = !down;
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
