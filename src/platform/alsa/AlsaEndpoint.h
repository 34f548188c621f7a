#pragma once

#include "AlsaUniqueId.h"

#include "midi/Device.h"

#include <alsa/asoundlib.h>

#include <functional>
#include <memory>

// An endpoint of the ALSA sequencer: a port, known by its address.
//
// The program's own virtual endpoints carry a renumbering function from their port, so that
// setUniqueID can move the port to the number the identifier asks for; other endpoints
// refuse new identifiers.
template <typename Base> class AlsaEndpoint : public Base {
public:
    // Moves the port to that number; false when the sequencer refuses (the number is taken).
    using Renumber = std::function<bool(int port)>;

    AlsaEndpoint(QString name, std::shared_ptr<const midi::Device> device, snd_seq_addr_t address,
                 qint32 uniqueID, Renumber renumber = {})
        : Base(std::move(name), std::move(device), uniqueID)
        , m_address(address)
        , m_renumber(std::move(renumber))
    {
    }

    snd_seq_addr_t address() const { return m_address; }

    void setUniqueID(qint32 uniqueID) override
    {
        const auto port = AlsaUniqueId::portOf(uniqueID);
        if (!m_renumber || !port || uniqueID == this->uniqueID())
            return;
        if (m_renumber(*port)) {
            m_address.port = quint8(*port);
            this->assignUniqueID(uniqueID);
        }
    }

    // The port is gone; the endpoint may live on in the program's hands.
    void detach() { m_renumber = {}; }

private:
    snd_seq_addr_t m_address;
    Renumber m_renumber;
};
