#include "SurfaceProtocolSwitch.h"

namespace midi {

void SurfaceProtocolSwitch::select(SurfaceProtocol &protocol)
{
    if (&protocol == m_current)
        return;
    m_current = &protocol;
    m_current->activate();
}

} // namespace midi
