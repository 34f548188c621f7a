#include "ListenerTables.h"

namespace midi {

namespace {

enum Kind { Ctrl = 0, Note = 1, PitchBend = 3, Ctrl14 = 5, Nrpn = 6, Osc = 7 };

constexpr int nrpnDataMsb = 6;
constexpr int nrpnDataLsb = 38;
constexpr int nrpnParameterLsb = 98;
constexpr int nrpnParameterMsb = 99;

} // namespace

std::shared_ptr<controlStore> ListenerTables::returnListenerFor(const ListeningControl &control)
{
    if (control.kind() == Osc) {
        auto &store = m_oscAddresses[control.oscAddress()];
        if (!store)
            store = std::make_shared<controlStore>();
        return store;
    }
    Table *table = tableFor(control.kind());
    if (!table)
        return std::make_shared<controlStore>();
    auto &store = (*table)[*keyFor(control)];
    if (!store)
        store = std::make_shared<controlStore>();
    return store;
}

void ListenerTables::addListener(ListeningControl &control)
{
    const auto store = returnListenerFor(control);
    QObject *context = control.bindingContext();
    // A second registration must not double every update.
    QObject::disconnect(store.get(), nullptr, context, nullptr);
    // Direct, so a control follows on the thread that changed the cell, at once.
    QObject::connect(
        store.get(), &controlStore::valueChanged, context,
        [&control](const QVariant &value) { control.setMidiValue(value); }, Qt::DirectConnection);
    control.setMidiValue(store->value());
}

void ListenerTables::removeListener(ListeningControl &control)
{
    if (controlStore *store = existingStore(control))
        QObject::disconnect(store, nullptr, control.bindingContext(), nullptr);
}

controlStore *ListenerTables::oscStore(const QString &address) const
{
    const auto found = m_oscAddresses.constFind(address);
    return found == m_oscAddresses.constEnd() ? nullptr : found->get();
}

ListenerTables::Table *ListenerTables::tableFor(int kind)
{
    switch (kind) {
    case Ctrl:
        return &m_ctrlNumbers;
    case Note:
        return &m_noteNumbers;
    case PitchBend:
        return &m_pitchBendNumbers;
    case Ctrl14:
        return &m_ctrlNumbers14bit;
    case Nrpn:
        return &m_NRPNumbers;
    default:
        return nullptr;
    }
}

std::optional<qint64> ListenerTables::keyFor(const ListeningControl &control) const
{
    const qint64 number = control.ctrlNumber();
    const qint64 channel = control.channelNumber();
    switch (control.kind()) {
    case Ctrl:
    case Note:
    case Ctrl14:
        return number + 128 * channel;
    case PitchBend:
        return channel;
    case Nrpn:
        return number + 16384 * channel;
    default:
        return std::nullopt;
    }
}

controlStore *ListenerTables::existingStore(const ListeningControl &control)
{
    if (control.kind() == Osc)
        return oscStore(control.oscAddress());
    const Table *table = tableFor(control.kind());
    if (!table)
        return nullptr;
    const auto found = table->constFind(*keyFor(control));
    return found == table->constEnd() ? nullptr : found->get();
}

void ListenerTables::set(const Table &table, qint64 key, int value)
{
    const auto found = table.constFind(key);
    if (found != table.constEnd())
        (*found)->setValue(value);
}

void ListenerTables::takeListenerMessage(const Message &message)
{
    const int channel = message.channel();
    switch (message.messageType()) {
    case MessageType::NoteOn:
        set(m_noteNumbers, message.dataByte1() + 128 * channel, message.dataByte2() != 0 ? 1 : 0);
        break;
    case MessageType::NoteOff:
        set(m_noteNumbers, message.dataByte1() + 128 * channel, 0);
        break;
    case MessageType::PitchBend:
        set(m_pitchBendNumbers, channel, (message.dataByte1() & 127) | (message.dataByte2() & 127) << 7);
        break;
    case MessageType::ControlChange:
        controlChange({message.dataByte1(), message.dataByte2(), channel});
        break;
    default:
        break;
    }
}

// Pairs must follow each other directly among the control changes; notes and pitch bends in
// between do not break them. The NRPN data pair is taken once per parameter selection and,
// like the selection, is not checked against the channel.
void ListenerTables::controlChange(const ControlChange &change)
{
    const int cc = change.controller;
    if (const auto &previous = m_lastReceivedMessage) {
        if (m_receivedNRPN && cc == nrpnDataLsb && previous->controller == nrpnDataMsb) {
            set(m_NRPNumbers, m_lastNRPNKey, previous->value * 128 + change.value);
            m_receivedNRPN = false;
        }
        if (cc >= 32 && cc <= 63 && previous->controller + 32 == cc && previous->channel == change.channel) {
            set(m_ctrlNumbers14bit, previous->controller + 128 * previous->channel,
                previous->value * 128 + change.value);
        }
        if (cc == nrpnParameterLsb && previous->controller == nrpnParameterMsb) {
            m_lastNRPNKey = previous->value * 128 + change.value + 16384 * change.channel;
            m_receivedNRPN = true;
        }
    }
    set(m_ctrlNumbers, cc + 128 * change.channel, change.value);
    m_lastReceivedMessage = change;
}

} // namespace midi
