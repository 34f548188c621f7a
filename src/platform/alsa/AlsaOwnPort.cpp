#include "AlsaOwnPort.h"

#include "AlsaBackend.h"

#include <alsa/asoundlib.h>

static_assert(AlsaOwnPort::kVirtualSource == (SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ));
static_assert(AlsaOwnPort::kVirtualDestination == (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE));
static_assert(AlsaOwnPort::kPrivateOutput == (SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_NO_EXPORT));
static_assert(AlsaOwnPort::kPrivateInput == (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT));

AlsaOwnPort::AlsaOwnPort(AlsaBackend &backend, const QString &name, unsigned capabilities, int requested)
    : m_backend(backend)
    , m_name(name)
    , m_capabilities(capabilities)
    , m_number(backend.createPort(name, capabilities, requested))
{
    if (m_number < 0 && requested >= 0)
        m_number = backend.createPort(name, capabilities, -1);
}

AlsaOwnPort::~AlsaOwnPort()
{
    if (m_number >= 0)
        snd_seq_delete_port(m_backend.sequencer(), m_number);
}

bool AlsaOwnPort::renumber(int number)
{
    if (m_number < 0 || number == m_number)
        return false;
    const int moved = m_backend.createPort(m_name, m_capabilities, number);
    if (moved < 0)
        return false;
    snd_seq_delete_port(m_backend.sequencer(), m_number);
    m_number = moved;
    return true;
}
