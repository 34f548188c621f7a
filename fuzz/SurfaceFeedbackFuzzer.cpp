// Hosts and other programs send whatever they like to the surface and user inputs: any
// sequence of messages, any system-exclusive body, split into batches anywhere, must leave the
// bank, the strip and the listener cells in a state they can hold, never crash.
//
// Input: records of [flags][length][length bytes]. Flag bit 0 picks the surface input over the
// user input; bit 1 ends the batch after this message.
#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/eightFaderTouchbarItem.h"
#include "midi/DestinationEndpoint.h"
#include "midi/ListenerTables.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiInputHandler.h"
#include "midi/MidiRouter.h"
#include "midi/SurfaceFeedback.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

class Listener : public midi::ListeningControl {
public:
    Listener(int kind, int number, int channel)
        : m_kind(kind)
        , m_number(number)
        , m_channel(channel)
    {
    }
    int kind() const override { return m_kind; }
    int ctrlNumber() const override { return m_number; }
    int channelNumber() const override { return m_channel; }
    QString oscAddress() const override { return QStringLiteral("/fuzz"); }
    void setMidiValue(const QVariant &value) override { m_last = value; }

private:
    int m_kind;
    int m_number;
    int m_channel;
    QVariant m_last;
};

// Cells for the addresses the seed corpus and short inputs reach: a few controllers (with
// their 14-bit and NRPN data partners) and notes of channel 1, NRPN parameters of channels
// 1 and 2, and pitch bend on every channel.
std::vector<std::unique_ptr<Listener>> registerListeners(midi::ListenerTables &tables)
{
    std::vector<std::unique_ptr<Listener>> listeners;
    for (int number : {0, 1, 6, 7, 38, 39, 60, 98, 99})
        for (int kind : {0, 1, 5})
            listeners.push_back(std::make_unique<Listener>(kind, number, 1));
    for (int parameter : {0, 3, 300})
        for (int channel : {1, 2})
            listeners.push_back(std::make_unique<Listener>(6, parameter, channel));
    for (int channel = 1; channel <= 16; ++channel)
        listeners.push_back(std::make_unique<Listener>(3, 0, channel));
    listeners.push_back(std::make_unique<Listener>(7, 0, 0));
    for (const auto &listener : listeners)
        tables.addListener(*listener);
    return listeners;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto surface =
        std::make_shared<midi::DestinationEndpoint>(midi::MidiEndpoints::surfaceName(), nullptr, 1);
    const auto user =
        std::make_shared<midi::DestinationEndpoint>(midi::MidiEndpoints::userName(), nullptr, 2);
    eightFaderTouchbarItem bank(QStringLiteral("bank"));
    controlStripTouchbarItem strip(QStringLiteral("strip"));
    midi::SurfaceFeedback feedback(bank, strip);
    midi::ListenerTables tables;
    midi::MidiInputHandler handler(feedback, tables);
    midi::MidiRouter router;
    ControlSurfaceDelegate delegate(router, feedback);
    bank.setTouchDelegate(&delegate);
    strip.setTouchDelegate(&delegate);
    const auto listeners = registerListeners(tables);

    midi::MessageList batch;
    size_t at = 0;
    while (at + 2 <= size) {
        const uint8_t flags = data[at];
        const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
        const QByteArray bytes(reinterpret_cast<const char *>(data + at + 2), qsizetype(length));
        at += 2 + length;
        batch.append(midi::Message(bytes, 0, (flags & 1) ? surface : user));
        if (flags & 2) {
            handler.takeMIDIMessages(batch);
            batch.clear();
        }
    }
    handler.takeMIDIMessages(batch);
    // What the views would read back must stay within the items.
    for (int f = -1; f <= eightFaderTouchbarItem::faderCount; ++f) {
        bank.getValueForFader(f);
        strip.getValueForFader(f);
    }
    strip.getDeviceName();
    return 0;
}
