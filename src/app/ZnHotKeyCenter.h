#pragma once

#include "ZnHotKey.h"

#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

class GlobalShortcutService;

// The registered hot keys of the program. Every registration gets the next identifier of a
// counter that only grows, so a late release of an unregistered key never reaches a newer one.
class ZnHotKeyCenter : public QObject {
    Q_OBJECT
public:
    using Predicate = std::function<bool(const ZnHotKey &hotKey)>;
    using HotKeyList = QList<std::shared_ptr<ZnHotKey>>;

    ZnHotKeyCenter() = default;
    ~ZnHotKeyCenter() override;
    static ZnHotKeyCenter &sharedHotKeyCenter();

    // Not owned. Without a service every registration is refused. Keys registered with the old
    // service are unregistered first.
    void setService(GlobalShortcutService *service);
    GlobalShortcutService *service() const { return m_service; }

    std::shared_ptr<ZnHotKey> registerHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags,
                                                        QObject *target, ZnHotKey::Action action,
                                                        const QVariant &object = {});
    std::shared_ptr<ZnHotKey> registerHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags,
                                                        ZnHotKey::Task task);
    // An equal hot key already in the set is answered instead; null when the system refuses.
    std::shared_ptr<ZnHotKey> registerHotKey(const std::shared_ptr<ZnHotKey> &hotKey);

    void unregisterHotKey(const std::shared_ptr<ZnHotKey> &hotKey);
    void unregisterAllHotKeys();
    void unregisterHotKeysWithTarget(const QObject *target);
    void unregisterHotKeysWithTarget(const QObject *target, const QByteArray &actionName);
    void unregisterHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags);
    void unregisterHotKeysMatching(const Predicate &predicate);

    HotKeyList registeredHotKeys() const;
    HotKeyList hotKeysMatching(const Predicate &predicate) const;
    bool hasRegisteredHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags) const;

private:
    void shortcutReleased(quint32 id, quint64 modifierFlags, quint32 timestamp);

    QPointer<GlobalShortcutService> m_service;
    HotKeyList m_hotKeys;
    quint32 m_nextHotKeyID = 1;
};
