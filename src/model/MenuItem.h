#pragma once

#include <QString>

#include <functional>
#include <memory>

class Menu;

// One entry of a menu the logic builds and a platform adapter shows.
class MenuItem {
public:
    using Action = std::function<void(MenuItem &sender)>;
    // Device-independent modifier flags, as key equivalents and stored hot keys carry them.
    enum ModifierFlag : quint32 {
        ShiftModifier = 1u << 17,
        ControlModifier = 1u << 18,
        OptionModifier = 1u << 19,
        CommandModifier = 1u << 20,
    };

    explicit MenuItem(QString title = {}, Action action = {}, QString keyEquivalent = {});
    static std::shared_ptr<MenuItem> separatorItem();

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString keyEquivalent() const { return m_keyEquivalent; }
    void setKeyEquivalent(const QString &key) { m_keyEquivalent = key; }
    quint32 keyEquivalentModifierMask() const { return m_keyEquivalentModifierMask; }
    void setKeyEquivalentModifierMask(quint32 mask) { m_keyEquivalentModifierMask = mask; }
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
    // Command alone unless set otherwise, as for any menu key equivalent.
    quint32 m_keyEquivalentModifierMask = CommandModifier;
    std::shared_ptr<Menu> m_submenu;
    MenuItem *m_parent = nullptr;
    int m_tag = 0;
    bool m_enabled = true;
    bool m_state = false;
    bool m_separator = false;
};
