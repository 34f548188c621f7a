#include "TrayStatusItem.h"

#include "model/Menu.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>

namespace {

QKeySequence shortcutFor(const MenuItem &item)
{
    const QString key = item.keyEquivalent();
    if (key.isEmpty())
        return {};
    const quint32 mask = item.keyEquivalentModifierMask();
    // Command is the Super key here, as for the global hot keys.
    int modifiers = 0;
    if (mask & MenuItem::CommandModifier)
        modifiers |= Qt::META;
    if (mask & MenuItem::OptionModifier)
        modifiers |= Qt::ALT;
    if (mask & MenuItem::ControlModifier)
        modifiers |= Qt::CTRL;
    if (mask & MenuItem::ShiftModifier)
        modifiers |= Qt::SHIFT;
    const int code = key == QLatin1String("\t") ? int(Qt::Key_Tab) : QKeySequence(key.toUpper())[0].key();
    return QKeySequence(QKeyCombination::fromCombined(modifiers | code));
}

QIcon statusIcon()
{
    QIcon icon(QStringLiteral(":/icons/midi-black.svg"));
    icon.addFile(QStringLiteral(":/icons/midi-white.svg"), {}, QIcon::Selected);
    icon.addFile(QStringLiteral(":/icons/midi-white.svg"), {}, QIcon::Active);
    return icon;
}

void fillMenu(QMenu *target, Menu &model)
{
    model.aboutToOpen();
    target->clear();
    for (const auto &item : model.items()) {
        if (item->isSeparator()) {
            target->addSeparator();
            continue;
        }
        if (item->submenu()) {
            QMenu *sub = target->addMenu(item->title());
            Menu *subModel = item->submenu().get();
            QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, subModel] { fillMenu(sub, *subModel); });
            sub->setEnabled(item->isEnabled());
            continue;
        }
        QAction *action = target->addAction(item->title());
        action->setEnabled(item->isEnabled());
        if (item->state()) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        action->setShortcut(shortcutFor(*item));
        std::weak_ptr<MenuItem> weak = item;
        QObject::connect(action, &QAction::triggered, action, [weak] {
            if (auto strong = weak.lock())
                strong->trigger();
        });
    }
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
        m_button->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
        m_button->setMenu(m_qmenu.get());
    }
    QObject::connect(m_qmenu.get(), &QMenu::aboutToShow, m_qmenu.get(), [this] { rebuild(); });
}

TrayStatusItem::~TrayStatusItem() = default;

void TrayStatusItem::setMenu(Menu *menu)
{
    m_menu = menu;
    rebuild();
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

void TrayStatusItem::rebuild()
{
    if (m_menu)
        fillMenu(m_qmenu.get(), *m_menu);
}
