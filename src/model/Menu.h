#pragma once

#include "MenuItem.h"

#include <QList>

#include <functional>
#include <memory>

// A menu as a model: the logic fills it, a platform adapter shows it and triggers its items.
class Menu {
public:
    // Run each time the menu is about to open, so that enabling rules see the current state.
    using Validator = std::function<void(Menu &)>;

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    const QList<std::shared_ptr<MenuItem>> &items() const { return m_items; }
    std::shared_ptr<MenuItem> itemAt(qsizetype index) const { return m_items.value(index); }
    std::shared_ptr<MenuItem> itemWithTitle(const QString &title) const;
    void addItem(std::shared_ptr<MenuItem> item);
    void removeAllItems();

    void setValidator(Validator validator) { m_validator = std::move(validator); }
    void aboutToOpen();

    MenuItem *supermenuItem() const { return m_supermenuItem; }
    void setSupermenuItem(MenuItem *item);

private:
    QString m_title;
    QList<std::shared_ptr<MenuItem>> m_items;
    Validator m_validator;
    MenuItem *m_supermenuItem = nullptr;
};
