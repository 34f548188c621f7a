#pragma once

#include <QString>

#include <functional>
#include <memory>

class Menu;

// One entry of a menu the logic builds and a platform adapter shows.
class MenuItem {
public:
    using Action = std::function<void(MenuItem &sender)>;

    explicit MenuItem(QString title = {}, Action action = {}, QString keyEquivalent = {});
    static std::shared_ptr<MenuItem> separatorItem();

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString keyEquivalent() const { return m_keyEquivalent; }
    bool isSeparator() const { return m_separator; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool state() const { return m_state; }
    void setState(bool on) { m_state = on; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    bool hasAction() const { return bool(m_action); }
    void trigger();

    const std::shared_ptr<Menu> &submenu() const { return m_submenu; }
    void setSubmenu(std::shared_ptr<Menu> submenu);
    // The item whose submenu holds this one; null at the top.
    MenuItem *parentItem() const { return m_parent; }
    void setParentItem(MenuItem *parent) { m_parent = parent; }

private:
    QString m_title;
    Action m_action;
    QString m_keyEquivalent;
    std::shared_ptr<Menu> m_submenu;
    MenuItem *m_parent = nullptr;
    int m_tag = 0;
    bool m_enabled = true;
    bool m_state = false;
    bool m_separator = false;
};
