#pragma once

#include "TouchBar.h"
#include "TouchBarHost.h"

#include <QPointer>

#include <optional>

// A touch bar host without a screen: it lays out the presented bar the way the strip does,
// making every item through the bar, and keeps what it shows for inspection.
class HeadlessTouchBarHost : public TouchBarHost {
    Q_OBJECT
public:
    using TouchBarHost::TouchBarHost;

    void present(TouchBar *bar) override;
    void minimize(TouchBar *bar) override;
    void toggleCustomizationPalette(TouchBar *bar) override;

    // Stands in for the user closing the palette: stores the arrangement when one is given.
    void endCustomization(const std::optional<QStringList> &arrangement);

    TouchBar *presentedBar() const { return m_presented; }
    const QList<Slot> &presentedSlots() const { return m_slots; }
    QStringList presentedIdentifiers() const;
    TouchBar *paletteBar() const { return m_paletteBar; }

private:
    void relayout();

    QPointer<TouchBar> m_presented;
    QMetaObject::Connection m_contentConnection;
    QList<Slot> m_slots;
    QPointer<TouchBar> m_paletteBar;
};
