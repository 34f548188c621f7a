// A Mackie Control host at full tilt: all eight faders moving at 1 kHz each and the LCD's
// upper row rewritten 30 times a second, delivered as the JACK backend delivers it (one batch
// per 256-frame period at 48 kHz) to the bank and the strip with their views shown.
//
// In real time: one iteration is one second, each batch handed over when its period is due and
// the event loop running in between, as it does between two wake-ups of the main thread.
// Counters: core_pct, the process's CPU time in that second as a share of one core; bank_paints
// and strip_paints, how often each view painted in it.
//
// Flat out: the same second of traffic as fast as it goes; its CPU time is the cost without the
// idle waits.
#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/controlStripView.h"
#include "controls/eightFaderTouchbarItem.h"
#include "controls/eightFaderView.h"
#include "midi/DestinationEndpoint.h"
#include "midi/ListenerTables.h"
#include "midi/MackieControlProtocol.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiInputHandler.h"
#include "midi/MidiRouter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

constexpr int faderRate = 1000;
constexpr int lcdRate = 30;
constexpr double periodSeconds = 256.0 / 48000.0;

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The bank and the strip on Mackie Control as the application wires them, with their views.
class MackieLoad {
public:
    MackieLoad()
    {
        m_bank.setTouchDelegate(&m_delegate);
        m_strip.setTouchDelegate(&m_delegate);
        m_mackie.activate();
        for (QWidget *view : {static_cast<QWidget *>(&m_bankView), static_cast<QWidget *>(&m_stripView)}) {
            view->resize(1085, 30);
            view->show();
        }
        m_bankView.installEventFilter(&m_bankPaints);
        m_stripView.installEventFilter(&m_stripPaints);
        // The strip follows channel 1, so its volume moves with the bank's first fader.
        m_handler.takeMIDIMessages({surface(QByteArray::fromHex("90187f"))});
        QCoreApplication::processEvents();
    }

    midi::Message surface(const QByteArray &bytes) const { return midi::Message(bytes, 0, m_endpoint); }

    // One second of host traffic in period-sized batches, in time order.
    QList<midi::MessageList> oneSecond() const
    {
        const int periods = int(1.0 / periodSeconds);
        QList<midi::MessageList> batches(periods);
        for (int tick = 0; tick < faderRate; ++tick) {
            const double at = double(tick) / faderRate;
            auto &batch = batches[std::min(periods - 1, int(at / periodSeconds))];
            for (int channel = 0; channel < 8; ++channel) {
                const int value = (tick * 16 + channel * 1000) % 16384;
                const char bytes[] = {char(0xE0 + channel), char(value & 0x7F), char(value >> 7)};
                batch.append(surface(QByteArray(bytes, 3)));
            }
            if (tick % (faderRate / lcdRate) == 0) {
                QByteArray row = QByteArray::fromHex("f00000661412") + char(0);
                for (int channel = 0; channel < 8; ++channel)
                    row += QByteArray("Trk") +
                           QByteArray::number(tick % 1000 + channel).rightJustified(3, '0') + ' ';
                batch.append(surface(row + char(0xF7)));
            }
        }
        return batches;
    }

    std::shared_ptr<midi::DestinationEndpoint> m_endpoint =
        std::make_shared<midi::DestinationEndpoint>(midi::MidiEndpoints::surfaceName(), nullptr, 1);
    eightFaderTouchbarItem m_bank{QStringLiteral("bank")};
    controlStripTouchbarItem m_strip{QStringLiteral("strip")};
    midi::MidiRouter m_router;
    midi::MackieControlProtocol m_mackie{m_bank, m_strip, m_router};
    midi::ListenerTables m_tables;
    midi::MidiInputHandler m_handler{m_mackie, m_tables};
    ControlSurfaceDelegate m_delegate{m_router, m_mackie};
    eightFaderView m_bankView{&m_bank};
    controlStripView m_stripView{&m_strip};
    PaintCounter m_bankPaints;
    PaintCounter m_stripPaints;
};

// Runs the event loop until the clock reaches the given time since start.
void runUntil(const QElapsedTimer &clock, qint64 nanoseconds)
{
    const qint64 wait = (nanoseconds - clock.nsecsElapsed()) / 1000000;
    if (wait <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(wait), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_MackieHostInRealTime(benchmark::State &state)
{
    MackieLoad load;
    const QList<midi::MessageList> second = load.oneSecond();
    load.m_bankPaints.paints = load.m_stripPaints.paints = 0;
    std::clock_t cpu = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const std::clock_t started = std::clock();
        for (qsizetype b = 0; b < second.size(); ++b) {
            runUntil(clock, qint64(double(b) * periodSeconds * 1e9));
            load.m_handler.takeMIDIMessages(second[b]);
        }
        runUntil(clock, 1000000000);
        cpu += std::clock() - started;
    }
    const double seconds = double(state.iterations());
    state.counters["core_pct"] = 100.0 * double(cpu) / CLOCKS_PER_SEC / seconds;
    state.counters["bank_paints"] = load.m_bankPaints.paints / seconds;
    state.counters["strip_paints"] = load.m_stripPaints.paints / seconds;
    state.counters["batches"] = double(second.size());
    if (!load.m_bank.getParameterName(7).startsWith(QStringLiteral("Trk")))
        state.SkipWithError("the LCD names were not applied");
}
BENCHMARK(BM_MackieHostInRealTime)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_MackieHostFlatOut(benchmark::State &state)
{
    MackieLoad load;
    const QList<midi::MessageList> second = load.oneSecond();
    for (auto _ : state) {
        for (const midi::MessageList &batch : second) {
            load.m_handler.takeMIDIMessages(batch);
            QCoreApplication::processEvents();
        }
    }
    state.SetItemsProcessed(state.iterations() * (8 * faderRate + lcdRate));
}
BENCHMARK(BM_MackieHostFlatOut)->Unit(benchmark::kMillisecond);

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
