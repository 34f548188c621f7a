#pragma once

#include "ListeningControl.h"
#include "Message.h"

#include "model/controlStore.h"

#include <QHash>

#include <memory>
#include <optional>

namespace midi {

// The value cells of the listening controls, one per kind, number and channel (or OSC
// address), and the decoding of incoming messages into them. Cells are never pruned, so a
// rebuilt touch bar finds the cells of its controls again.
class ListenerTables {
public:
    // The shared cell of the control's address, made with value 0 on first use. A kind
    // without a table (program change, MMC) gets a cell of its own that nothing updates.
    std::shared_ptr<controlStore> returnListenerFor(const ListeningControl &control);
    // Binds the control to its cell and passes it the cell's current value at once.
    void addListener(ListeningControl &control);
    void removeListener(ListeningControl &control);

    // A message that did not arrive on the surface input. Pairs (14-bit, NRPN) may be split
    // across calls.
    void takeListenerMessage(const Message &message);

    // The cell of exactly this OSC address, or null.
    controlStore *oscStore(const QString &address) const;

private:
    struct ControlChange {
        int controller;
        int value;
        int channel;
    };

    // Keys are formed from numbers of stored records, which may hold any integer; 64 bits keep
    // the arithmetic defined.
    using Table = QHash<qint64, std::shared_ptr<controlStore>>;

    Table *tableFor(int kind);
    std::optional<qint64> keyFor(const ListeningControl &control) const;
    controlStore *existingStore(const ListeningControl &control);
    static void set(const Table &table, qint64 key, int value);
    void controlChange(const ControlChange &change);

    Table m_ctrlNumbers;
    Table m_noteNumbers;
    Table m_pitchBendNumbers;
    Table m_ctrlNumbers14bit;
    Table m_NRPNumbers;
    QHash<QString, std::shared_ptr<controlStore>> m_oscAddresses;

    std::optional<ControlChange> m_lastReceivedMessage;
    bool m_receivedNRPN = false;
    qint32 m_lastNRPNKey = 0;
};

} // namespace midi
