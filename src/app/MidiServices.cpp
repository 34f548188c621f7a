#include "MidiServices.h"

#include "model/ControlCatalog.h"
#include "model/UserDefaults.h"

namespace {
const QString surfaceProtocolKey = QStringLiteral("SurfaceProtocol");
}

MidiServices::MidiServices(UserDefaults &defaults)
    : m_defaults(defaults)
    , m_eightFaderItem(ControlCatalog::eightFaderViewIdentifier())
    , m_controlStripItem(ControlCatalog::controlStripViewIdentifier())
    , m_endpoints(defaults)
{
    m_eightFaderItem.setTouchDelegate(&m_surfaceDelegate);
    m_controlStripItem.setTouchDelegate(&m_surfaceDelegate);
}

MidiServices::~MidiServices() = default;

void MidiServices::setupMIDI()
{
    m_endpoints.setupMIDI(&m_handler);
    m_endpoints.connectRouter(m_router);
    if (m_defaults.stringForKey(surfaceProtocolKey) == mackieProtocolName())
        m_protocol.select(m_mackie);
}

QString MidiServices::surfaceProtocol() const
{
    return &m_protocol.current() == &m_mackie ? mackieProtocolName() : nativeProtocolName();
}

void MidiServices::setSurfaceProtocol(const QString &name)
{
    const bool mackie = name == mackieProtocolName();
    m_defaults.setObject(mackie ? mackieProtocolName() : nativeProtocolName(), surfaceProtocolKey);
    if (mackie)
        m_protocol.select(m_mackie);
    else
        m_protocol.select(m_feedback);
}
