#include "QtMenu.h"

#include "model/Menu.h"

#include <QMenu>

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

} // namespace

struct QtMenu::Entry {
    std::weak_ptr<MenuItem> item;
    MenuItem *builtFrom = nullptr;
    QAction *action = nullptr;
    // Declared before its mirror, so that the mirror goes first.
    std::unique_ptr<QMenu> submenu;
    std::unique_ptr<QtMenu> mirror;
};

QtMenu::QtMenu(QMenu &menu, Menu &model)
    : m_menu(menu)
    , m_model(model)
{
}

QtMenu::~QtMenu()
{
    m_menu.clear();
}

void QtMenu::update()
{
    m_model.aboutToOpen();
    if (itemsChanged())
        rebuild();
    refresh();
}

bool QtMenu::itemsChanged() const
{
    const auto &items = m_model.items();
    if (qsizetype(m_entries.size()) != items.size())
        return true;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (m_entries[std::size_t(i)].builtFrom != items[i].get())
            return true;
    }
    return false;
}

void QtMenu::rebuild()
{
    // The actions the menu made are deleted by clear(); the submenus go with their entries.
    m_menu.clear();
    m_entries.clear();
    for (const auto &item : m_model.items()) {
        Entry entry;
        entry.item = item;
        entry.builtFrom = item.get();
        if (item->isSeparator()) {
            entry.action = m_menu.addSeparator();
        } else if (const auto &model = item->submenu()) {
            entry.submenu = std::make_unique<QMenu>();
            entry.mirror = std::make_unique<QtMenu>(*entry.submenu, *model);
            QtMenu *mirror = entry.mirror.get();
            QObject::connect(entry.submenu.get(), &QMenu::aboutToShow, entry.submenu.get(),
                             [mirror] { mirror->update(); });
            entry.action = m_menu.addMenu(entry.submenu.get());
        } else {
            entry.action = m_menu.addAction(QString());
            std::weak_ptr<MenuItem> weak = item;
            QObject::connect(entry.action, &QAction::triggered, entry.action, [weak] {
                if (auto strong = weak.lock())
                    strong->trigger();
            });
        }
        m_entries.push_back(std::move(entry));
    }
}

void QtMenu::refresh()
{
    for (const Entry &entry : m_entries) {
        const auto item = entry.item.lock();
        if (!item || item->isSeparator())
            continue;
        entry.action->setText(item->title());
        entry.action->setEnabled(item->isEnabled());
        if (entry.submenu)
            continue;
        entry.action->setCheckable(item->state());
        entry.action->setChecked(item->state());
        entry.action->setShortcut(shortcutFor(*item));
    }
}
