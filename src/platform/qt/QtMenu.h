#pragma once

#include <QList>

#include <memory>
#include <vector>

class Menu;
class MenuItem;
class QAction;
class QMenu;

// Shows a menu model in a QMenu. The entries are made once and only brought up to date each
// time the menu is about to show (titles, enabling, check marks, key equivalents); they are
// made anew only when the model's list of items changed, as the device submenus' do, and what
// they replace is freed with them.
class QtMenu {
public:
    // Neither is owned; both must outlive this object.
    QtMenu(QMenu &menu, Menu &model);
    ~QtMenu();
    QtMenu(const QtMenu &) = delete;
    QtMenu &operator=(const QtMenu &) = delete;

    // Runs the model's enabling rules, then shows its current state.
    void update();

private:
    struct Entry;

    bool itemsChanged() const;
    void rebuild();
    void refresh();

    QMenu &m_menu;
    Menu &m_model;
    std::vector<Entry> m_entries;
};
