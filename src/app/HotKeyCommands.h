#pragma once

#include "HotKeyRegistry.h"
#include "ZnHotKey.h"
#include "hotKeyDelegate.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

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

    // At launch every key is tried once, so that one another program holds is reported now,
    // once, rather than failing unseen when the strip first shows; show/hide stays registered.
    void registerHotKeysAtLaunch();
    void registerHotKeys() override;
    void unregisterHotKeys() override;
    void unregisterAllHotKeys() override;
    void closeKeyCommandsWindow() override;

    // What a switch key does; index 0 ... 8.
    void receivedGlobalKeyFrom(const ZnHotKey::Event &event, int key);
    void setPrefsKey(const QString &name, MenuItem *item) const;
    void refreshMenuKeyEquivalents() const;

    ZnHotKeyCenter &keyCenter() const { return m_center; }
    // In the order of the names: the keys whose last registration the system refused.
    const QList<bool> &takenHotKeys() const { return m_taken; }
    // The start-up report of taken keys while it is open, or null.
    QMessageBox *takenReport() const { return m_takenReport; }

Q_SIGNALS:
    // Once, at launch, when some stored keys could not be registered: their titles and keys.
    void hotKeysTaken(const QStringList &descriptions);

private:
    void registerHotKeyNamed(int index);
    void reportTakenHotKeys();
    ZnHotKey::Action actionAt(int index);

    AppDelegate &m_app;
    GlobalShortcutService &m_service;
    const KeyboardLayout &m_layout;
    ZnHotKeyCenter &m_center;
    QList<bool> m_taken;
    QPointer<QMessageBox> m_takenReport;
};
