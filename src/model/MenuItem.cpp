#include "MenuItem.h"

#include "Menu.h"

MenuItem::MenuItem(QString title, Action action, QString keyEquivalent)
    : m_title(std::move(title))
    , m_action(std::move(action))
    , m_keyEquivalent(std::move(keyEquivalent))
{
}

std::shared_ptr<MenuItem> MenuItem::separatorItem()
{
    auto item = std::make_shared<MenuItem>();
    item->m_separator = true;
    item->m_enabled = false;
    return item;
}

void MenuItem::trigger()
{
    if (m_action && m_enabled)
        m_action(*this);
}

void MenuItem::setSubmenu(std::shared_ptr<Menu> submenu)
{
    m_submenu = std::move(submenu);
    if (m_submenu)
        m_submenu->setSupermenuItem(this);
}
