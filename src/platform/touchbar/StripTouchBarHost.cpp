#include "StripTouchBarHost.h"

#include "CustomizationPalette.h"
#include "StripWindow.h"
#include "TouchBar.h"

#include <QGuiApplication>
#include <QScreen>

StripTouchBarHost::StripTouchBarHost(QObject *parent)
    : TouchBarHost(parent)
    , m_window(std::make_unique<StripWindow>())
{
}

StripTouchBarHost::~StripTouchBarHost()
{
    delete m_palette;
}

void StripTouchBarHost::present(TouchBar *bar)
{
    disconnect(m_contentConnection);
    m_presented = bar;
    m_contentConnection = connect(bar, &TouchBar::contentChanged, this, &StripTouchBarHost::relayout);
    relayout();
    m_window->show();
    m_window->raise();
}

void StripTouchBarHost::minimize(TouchBar *bar)
{
    if (bar != m_presented)
        return;
    disconnect(m_contentConnection);
    m_presented = nullptr;
    m_window->hide();
    m_window->setSlots({});
}

void StripTouchBarHost::relayout()
{
    m_window->setSlots(m_presented ? itemsOf(*m_presented) : QList<Slot>{});
}

void StripTouchBarHost::toggleCustomizationPalette(TouchBar *bar)
{
    if (m_palette) {
        m_palette->close();
        return;
    }
    m_palette = new CustomizationPalette(*bar);
    connect(m_palette, &CustomizationPalette::finished, this, &TouchBarHost::didExitCustomization);
    m_palette->resize(m_palette->sizeHint().expandedTo(QSize(560, 480)));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = m_palette->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_palette->move(frame.topLeft());
    }
    m_palette->show();
    m_palette->raise();
    m_palette->activateWindow();
}
