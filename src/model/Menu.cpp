#include "Menu.h"

std::shared_ptr<MenuItem> Menu::itemWithTitle(const QString &title) const
{
    for (const auto &item : m_items) {
        if (item->title() == title)
            return item;
    }
    return nullptr;
}

void Menu::addItem(std::shared_ptr<MenuItem> item)
{
    item->setParentItem(m_supermenuItem);
    m_items.append(std::move(item));
}

void Menu::removeAllItems()
{
    m_items.clear();
}

void Menu::aboutToOpen()
{
    if (m_validator)
        m_validator(*this);
}

void Menu::setSupermenuItem(MenuItem *item)
{
    m_supermenuItem = item;
    for (const auto &child : m_items)
        child->setParentItem(item);
}
