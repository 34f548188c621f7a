#pragma once

#include "CustomizationPalette.h"
#include "TouchBarHost.h"

#include <QPointer>

#include <memory>

class StripWindow;

// Presents touch bars on the strip window and customizes them in the palette window.
class StripTouchBarHost : public TouchBarHost {
    Q_OBJECT
public:
    explicit StripTouchBarHost(QObject *parent = nullptr);
    ~StripTouchBarHost() override;

    void present(TouchBar *bar) override;
    void minimize(TouchBar *bar) override;
    void toggleCustomizationPalette(TouchBar *bar) override;

    StripWindow *window() const { return m_window.get(); }
    CustomizationPalette *palette() const { return m_palette; }

private:
    void relayout();

    std::unique_ptr<StripWindow> m_window;
    QPointer<TouchBar> m_presented;
    QMetaObject::Connection m_contentConnection;
    QPointer<CustomizationPalette> m_palette;
};
