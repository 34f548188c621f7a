#include "StripWindow.h"

#include "StripLayout.h"
#include "TouchBarItem.h"
#include "TouchView.h"
#include "model/ControlCatalog.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

StripLayout::Slot layoutSlot(const TouchBarHost::Slot &slot)
{
    if (slot.identifier == ControlCatalog::flexibleSpaceIdentifier())
        return {StripLayout::Kind::FlexibleSpace, 0.0};
    if (!slot.item)
        return {StripLayout::Kind::Empty, 0.0};
    switch (slot.item->sizing()) {
    case TouchBarItem::Sizing::Fixed:
        return {StripLayout::Kind::Fixed, slot.item->width()};
    case TouchBarItem::Sizing::AtLeast:
        return {StripLayout::Kind::AtLeast, slot.item->width()};
    case TouchBarItem::Sizing::Fill:
        return {StripLayout::Kind::Fill, slot.item->width()};
    }
    return {};
}

QRect toPixels(const QRectF &points, qreal scale)
{
    const QRectF scaled(points.topLeft() * scale, points.size() * scale);
    return scaled.toAlignedRect();
}

} // namespace

StripWindow::StripWindow()
{
    setWindowTitle(QStringLiteral("Stripdeck Touch Bar"));
    // A tool window above the rest that the window manager never focuses: touching the strip
    // must leave the keyboard with the application being played.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    dock();
}

StripWindow::~StripWindow() = default;

qreal StripWindow::scaleForScreenWidth(int pixels)
{
    const qreal fitting = std::floor(4.0 * 0.85 * pixels / StripLayout::width) / 4.0;
    return std::clamp(fitting, minimumScale, maximumScale);
}

void StripWindow::dock()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    m_scale = scaleForScreenWidth(screen->geometry().width());
    const QSize pixels(qRound(StripLayout::width * m_scale), qRound(StripLayout::height * m_scale));
    setFixedSize(pixels);
    move(available.x() + (available.width() - pixels.width()) / 2, available.bottom() + 1 - pixels.height());
    placeViews();
}

void StripWindow::setSlots(const QList<TouchBarHost::Slot> &entries)
{
    for (const auto &old : std::as_const(m_slots)) {
        if (old.item && old.item->view())
            old.item->view()->hide();
    }
    m_slots = entries;
    placeViews();
}

void StripWindow::placeViews()
{
    QList<StripLayout::Slot> layoutSlots;
    for (const auto &slot : std::as_const(m_slots))
        layoutSlots.append(layoutSlot(slot));
    m_frames = StripLayout::layout(layoutSlots);
    for (qsizetype i = 0; i < m_slots.size(); ++i) {
        QWidget *view = m_slots[i].item ? m_slots[i].item->view() : nullptr;
        if (!view)
            continue;
        if (view->parentWidget() != this)
            view->setParent(this);
        if (auto *touchView = qobject_cast<TouchView *>(view))
            touchView->setPointScale(m_scale);
        view->setGeometry(toPixels(m_frames[i], m_scale));
        view->setVisible(!m_frames[i].isNull());
    }
}

void StripWindow::showEvent(QShowEvent *event)
{
    // The screen may have changed since the strip was last shown.
    dock();
    QWidget::showEvent(event);
}

void StripWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Qt::black);
}
