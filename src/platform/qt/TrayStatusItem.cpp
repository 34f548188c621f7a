#include "TrayStatusItem.h"

#include "QtMenu.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>

namespace {

QIcon statusIcon()
{
    QIcon icon(QStringLiteral(":/icons/midi-black.svg"));
    icon.addFile(QStringLiteral(":/icons/midi-white.svg"), {}, QIcon::Selected);
    icon.addFile(QStringLiteral(":/icons/midi-white.svg"), {}, QIcon::Active);
    return icon;
}

} // namespace

TrayStatusItem::TrayStatusItem()
    : m_qmenu(std::make_unique<QMenu>())
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = std::make_unique<QSystemTrayIcon>(statusIcon());
        m_tray->setToolTip(QStringLiteral("Stripdeck"));
        m_tray->setContextMenu(m_qmenu.get());
    } else {
        m_button = std::make_unique<QPushButton>(statusIcon(), QStringLiteral("Stripdeck"));
        m_button->setWindowTitle(QStringLiteral("Stripdeck"));
        // Never the active window: under a window manager a click would otherwise make Stripdeck
        // the application in front, and the strip would go back to the state from before an
        // attached application came to the front whenever the menu opens.
        m_button->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint |
                                 Qt::WindowDoesNotAcceptFocus);
        m_button->setAttribute(Qt::WA_ShowWithoutActivating);
        m_button->setFocusPolicy(Qt::NoFocus);
        m_button->setMenu(m_qmenu.get());
    }
    QObject::connect(m_qmenu.get(), &QMenu::aboutToShow, m_qmenu.get(), [this] {
        if (m_mirror)
            m_mirror->update();
    });
}

TrayStatusItem::~TrayStatusItem() = default;

void TrayStatusItem::setMenu(Menu *menu)
{
    m_mirror.reset();
    if (!menu)
        return;
    m_mirror = std::make_unique<QtMenu>(*m_qmenu, *menu);
    m_mirror->update();
}

void TrayStatusItem::setVisible(bool visible)
{
    if (m_tray) {
        m_tray->setVisible(visible);
        return;
    }
    if (visible) {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        m_button->adjustSize();
        m_button->move(screen.right() - m_button->width() - 8, screen.top() + 8);
    }
    m_button->setVisible(visible);
}
