#include "MidiServices.h"

#include "model/ControlCatalog.h"

MidiServices::MidiServices(UserDefaults &defaults)
    : m_eightFaderItem(ControlCatalog::eightFaderViewIdentifier())
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
}
