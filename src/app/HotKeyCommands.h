#pragma once

#include "HotKeyRegistry.h"
#include "ZnHotKey.h"
#include "hotKeyDelegate.h"

#include <QObject>

class AppDelegate;
class GlobalShortcutService;
class KeyboardLayout;
class MenuItem;
class ZnHotKeyCenter;

// The eleven global hot keys of the program: which are live when, what each does, the menu key
// equivalents they give, and the key commands window that edits them. While it lives, the
// shared centre uses the given service.
class HotKeyCommands : public QObject, public HotKeyRegistry, public hotKeyDelegate {
    Q_OBJECT
public:
    // Plugs itself into the delegate as its hot-key registry, its start-up step and the
    // maker of the key commands window. The service and layout must outlive this object.
    HotKeyCommands(AppDelegate &app, GlobalShortcutService &service, const KeyboardLayout &layout,
                   ZnHotKeyCenter *center = nullptr);
    ~HotKeyCommands() override;

    void registerShowHideHotKey();
    void registerHotKeys() override;
    void unregisterHotKeys() override;
    void unregisterAllHotKeys() override;
    void closeKeyCommandsWindow() override;

    // What a switch key does; index 0 ... 8.
    void receivedGlobalKeyFrom(const ZnHotKey::Event &event, int key);
    void setPrefsKey(const QString &name, MenuItem *item) const;
    void refreshMenuKeyEquivalents() const;

    ZnHotKeyCenter &keyCenter() const { return m_center; }

private:
    void registerHotKeyNamed(int index);
    ZnHotKey::Action actionAt(int index);

    AppDelegate &m_app;
    GlobalShortcutService &m_service;
    const KeyboardLayout &m_layout;
    ZnHotKeyCenter &m_center;
};
