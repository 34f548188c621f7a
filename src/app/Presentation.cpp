#include "Presentation.h"

#include "controls/TouchBarTemplates.h"
#include "model/ControlCatalog.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarHost.h"

#include <QTimer>

namespace {
// Set between two contents so that the host lets go of everything the previous one showed.
const QString emptyIdentifier = QStringLiteral("xq.korvane.empty.identifier");
} // namespace

Presentation::Presentation(TouchBarHost &host, TouchBarTemplates &templates, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_templates(templates)
{
}

void Presentation::buildUserTouchbars()
{
    m_allUserTouchbars.clear();
    for (int number = 0; number < ControlCatalog::userTouchBarCount; ++number)
        m_allUserTouchbars.append(m_templates.userTouchBar(number));
}

void Presentation::setUserTouchbarNumber(int number)
{
    if (number >= noUserTouchbar && number < ControlCatalog::userTouchBarCount)
        m_userTouchbarNumber = number;
}

void Presentation::rememberState()
{
    if (!m_lastState.lastRegistered) {
        m_lastState.lastTouchbarShown = m_touchbarShown;
        m_lastState.lastControlSurfadeMode = m_controlSurfadeMode;
        m_lastState.lastUserTouchbarNumber = m_userTouchbarNumber;
    }
    m_lastState.lastRegistered = true;
}

TouchBar *Presentation::rootTemplate() const
{
    if (m_controlSurfadeMode)
        return m_templates.controlStripGroup();
    return m_allUserTouchbars.value(std::max(m_userTouchbarNumber, 0));
}

void Presentation::toggleTouchbar()
{
    if (isEditing())
        return;
    if (m_userTouchbarNumber == noUserTouchbar)
        m_userTouchbarNumber = 0;
    if (m_touchbarShown) {
        closeTouchbar(m_currentRootTouchbar);
        return;
    }
    m_lastCreatedBar.clear();
    showTouchbar(rootTemplate());
}

void Presentation::presentTouchbar()
{
    if (!m_touchbarShown)
        toggleTouchbar();
}

void Presentation::changeMode()
{
    if (isEditing())
        return;
    m_controlSurfadeMode = !m_controlSurfadeMode;
    m_lastCreatedBar.clear();
    if (m_userTouchbarNumber < 0)
        m_userTouchbarNumber = 0;
    showTouchbar(rootTemplate());
}

void Presentation::showTouchbar(TouchBar *bar)
{
    if (!bar)
        return;
    TouchBar *presented = m_templates.mainTouchBar();
    m_host.dropCachedItems(presented);
    if (!m_currentRootTouchbar) {
        m_currentRootTouchbar = presented;
        openTouchbar(presented, {});
    }
    m_host.setContent(presented, emptyIdentifier, {});
    m_host.setContent(presented, bar->customizationIdentifier(), bar->defaultItemIdentifiers());
}

void Presentation::openTouchbar(TouchBar *bar, const QString &)
{
    // The strip has no system tray to dock a minimized bar in, so the tray identifier is unused.
    m_host.present(bar);
    m_touchbarShown = true;
    Q_EMIT touchbarShownChanged(true);
}

void Presentation::closeTouchbar(TouchBar *bar)
{
    if (bar)
        m_host.minimize(bar);
    m_touchbarShown = false;
    m_currentRootTouchbar = nullptr;
    Q_EMIT touchbarShownChanged(false);
}

void Presentation::openPopUp(TouchBar *bar, const QString &)
{
    m_currentPopOver = bar;
    showTouchbar(bar);
}

void Presentation::closePopUp()
{
    m_currentPopOver = nullptr;
    m_lastCreatedBar.clear();
    if (m_userTouchbarNumber < 0)
        m_userTouchbarNumber = 0;
    showTouchbar(rootTemplate());
}

void Presentation::reloadTouchbar()
{
    if (!m_currentRootTouchbar)
        return;
    if (m_loadPending) {
        m_host.dropCachedItems(m_templates.mainTouchBar());
        return;
    }
    m_customizationIdentifier = m_currentRootTouchbar->customizationIdentifier();
    m_defaultItemIdentifiers = m_currentRootTouchbar->defaultItemIdentifiers();
    m_host.setContent(m_currentRootTouchbar, emptyIdentifier, {});
    m_host.dropCachedItems(m_templates.mainTouchBar());
    m_loadPending = true;
    QTimer::singleShot(reloadDelayMs, this, &Presentation::loadTouchbar);
}

void Presentation::loadTouchbar()
{
    m_loadPending = false;
    m_host.setContent(m_templates.mainTouchBar(), m_customizationIdentifier, m_defaultItemIdentifiers);
}
