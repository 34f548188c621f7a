// Feedback throughput: how many host messages per second the surface input can apply to the
// bank and the strip, and user messages to the listener cells.
#include "SurfaceEncoder.h"
#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/eightFaderTouchbarItem.h"
#include "midi/DestinationEndpoint.h"
#include "midi/ListenerTables.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiInputHandler.h"
#include "midi/MidiRouter.h"
#include "midi/SurfaceFeedback.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int burst = 1024;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

QByteArray parameterName(int slot, const QByteArray &name)
{
    return QByteArray::fromHex("f07d000a") + char(slot) + SurfaceEncoder::packText(name) + char(0xF7);
}

class Cell : public midi::ListeningControl {
public:
    Cell(int kind, int number)
        : m_kind(kind)
        , m_number(number)
    {
    }
    int kind() const override { return m_kind; }
    int ctrlNumber() const override { return m_number; }
    int channelNumber() const override { return 1; }
    QString oscAddress() const override { return {}; }
    void setMidiValue(const QVariant &value) override { benchmark::DoNotOptimize(value.constData()); }

private:
    int m_kind;
    int m_number;
};

// The bank, the strip and the listener tables wired as the application wires them; the
// messages carry the endpoint they would arrive on.
class Feedback {
public:
    Feedback()
    {
        m_bank.setTouchDelegate(&m_delegate);
        m_strip.setTouchDelegate(&m_delegate);
    }

    midi::Message surface(const QByteArray &bytes) const { return midi::Message(bytes, 0, m_surface); }
    midi::Message user(const QByteArray &bytes) const { return midi::Message(bytes, 0, m_user); }

    std::shared_ptr<midi::DestinationEndpoint> m_surface =
        std::make_shared<midi::DestinationEndpoint>(midi::MidiEndpoints::surfaceName(), nullptr, 1);
    std::shared_ptr<midi::DestinationEndpoint> m_user =
        std::make_shared<midi::DestinationEndpoint>(midi::MidiEndpoints::userName(), nullptr, 2);
    eightFaderTouchbarItem m_bank{QStringLiteral("bank")};
    controlStripTouchbarItem m_strip{QStringLiteral("strip")};
    midi::SurfaceFeedback m_feedback{m_bank, m_strip};
    midi::ListenerTables m_tables;
    midi::MidiInputHandler m_handler{m_feedback, m_tables};
    midi::MidiRouter m_router;
    ControlSurfaceDelegate m_delegate{m_router, m_feedback};
};

void run(benchmark::State &state, Feedback &feedback, const midi::MessageList &messages)
{
    for (auto _ : state)
        feedback.m_handler.takeMIDIMessages(messages);
    state.SetItemsProcessed(state.iterations() * messages.size());
    benchmark::DoNotOptimize(feedback.m_bank.getValueForFader(0));
}

void BM_BankPitchBendBurst(benchmark::State &state)
{
    Feedback feedback;
    midi::MessageList messages;
    for (int i = 0; i < burst; ++i)
        messages.append(feedback.surface(bytes({0xE8 + i % 8, i & 0x7F, (i >> 3) & 0x7F})));
    run(state, feedback, messages);
    if (feedback.m_bank.getValueForFader(7) == 0.0f)
        state.SkipWithError("pitch bends were not applied");
}
BENCHMARK(BM_BankPitchBendBurst);

void BM_ParameterNameBurst(benchmark::State &state)
{
    Feedback feedback;
    midi::MessageList messages;
    for (int i = 0; i < burst; ++i) {
        messages.append(feedback.surface(parameterName(i % 8, "Parameter " + QByteArray::number(i))));
    }
    run(state, feedback, messages);
    if (!feedback.m_bank.getParameterName(7).startsWith(QStringLiteral("Parameter")))
        state.SkipWithError("names were not applied");
}
BENCHMARK(BM_ParameterNameBurst);

// A host switching banks: eight names, eight types and eight positions at once.
void BM_BankSwitchBurst(benchmark::State &state)
{
    Feedback feedback;
    midi::MessageList messages;
    for (int f = 0; f < 8; ++f) {
        messages.append(feedback.surface(parameterName(f, "Filter Cutoff")));
        messages.append(feedback.surface(bytes({0xB0, 20 + f, 1 + f % 3})));
        messages.append(feedback.surface(bytes({0xE8 + f, 0x11, 0x40})));
    }
    run(state, feedback, messages);
}
BENCHMARK(BM_BankSwitchBurst);

// User input that moves bound cells: control changes and NRPN sequences.
void BM_ListenerControlChangeBurst(benchmark::State &state)
{
    Feedback feedback;
    std::vector<std::unique_ptr<Cell>> cells;
    for (int number = 0; number < 128; ++number)
        cells.push_back(std::make_unique<Cell>(0, number));
    cells.push_back(std::make_unique<Cell>(6, 300));
    for (const auto &cell : cells)
        feedback.m_tables.addListener(*cell);
    midi::MessageList messages;
    for (int i = 0; i < burst / 4; ++i) {
        for (const int controller : {99, 98, 6, 38})
            messages.append(feedback.user(bytes({0xB0, controller, i & 0x7F})));
    }
    run(state, feedback, messages);
}
BENCHMARK(BM_ListenerControlChangeBurst);

} // namespace

BENCHMARK_MAIN();
