#include "HeadlessTouchBarHost.h"

#include "TouchBar.h"

void HeadlessTouchBarHost::present(TouchBar *bar)
{
    disconnect(m_contentConnection);
    m_presented = bar;
    m_contentConnection = connect(bar, &TouchBar::contentChanged, this, &HeadlessTouchBarHost::relayout);
    relayout();
}

void HeadlessTouchBarHost::minimize(TouchBar *bar)
{
    if (bar != m_presented)
        return;
    disconnect(m_contentConnection);
    m_presented = nullptr;
    m_slots.clear();
}

void HeadlessTouchBarHost::relayout()
{
    m_slots = m_presented ? itemsOf(*m_presented) : QList<Slot>{};
}

QStringList HeadlessTouchBarHost::presentedIdentifiers() const
{
    QStringList identifiers;
    for (const Slot &slot : m_slots)
        identifiers.append(slot.identifier);
    return identifiers;
}

void HeadlessTouchBarHost::toggleCustomizationPalette(TouchBar *bar)
{
    if (m_paletteBar) {
        endCustomization(std::nullopt);
        return;
    }
    m_paletteBar = bar;
}

void HeadlessTouchBarHost::endCustomization(const std::optional<QStringList> &arrangement)
{
    if (!m_paletteBar)
        return;
    if (arrangement)
        m_paletteBar->storeArrangement(*arrangement);
    m_paletteBar = nullptr;
    Q_EMIT didExitCustomization();
}
