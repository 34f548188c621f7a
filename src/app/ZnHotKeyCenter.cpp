#include "ZnHotKeyCenter.h"

#include "GlobalShortcutService.h"

ZnHotKeyCenter::~ZnHotKeyCenter()
{
    unregisterAllHotKeys();
}

ZnHotKeyCenter &ZnHotKeyCenter::sharedHotKeyCenter()
{
    static ZnHotKeyCenter center;
    return center;
}

void ZnHotKeyCenter::setService(GlobalShortcutService *service)
{
    if (service == m_service)
        return;
    unregisterAllHotKeys();
    if (m_service)
        disconnect(m_service, nullptr, this, nullptr);
    m_service = service;
    if (m_service)
        connect(m_service, &GlobalShortcutService::shortcutReleased, this, &ZnHotKeyCenter::shortcutReleased);
}

std::shared_ptr<ZnHotKey> ZnHotKeyCenter::registerHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags,
                                                                    QObject *target, ZnHotKey::Action action,
                                                                    const QVariant &object)
{
    if (hasRegisteredHotKeyWithKeyCode(keyCode, modifierFlags))
        return nullptr;
    auto hotKey = std::make_shared<ZnHotKey>(keyCode, modifierFlags);
    hotKey->setTarget(target);
    hotKey->setAction(std::move(action));
    hotKey->setObject(object);
    return registerHotKey(hotKey);
}

std::shared_ptr<ZnHotKey> ZnHotKeyCenter::registerHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags,
                                                                    ZnHotKey::Task task)
{
    if (hasRegisteredHotKeyWithKeyCode(keyCode, modifierFlags))
        return nullptr;
    return registerHotKey(ZnHotKey::hotKeyWithKeyCode(keyCode, modifierFlags, std::move(task)));
}

std::shared_ptr<ZnHotKey> ZnHotKeyCenter::registerHotKey(const std::shared_ptr<ZnHotKey> &hotKey)
{
    if (!hotKey)
        return nullptr;
    for (const auto &registered : std::as_const(m_hotKeys)) {
        if (*registered == *hotKey)
            return registered;
    }
    if (!m_service ||
        !m_service->registerShortcut(m_nextHotKeyID, hotKey->keyCode(), hotKey->modifierFlags()))
        return nullptr;
    hotKey->setHotKeyRef(m_nextHotKeyID);
    hotKey->setHotKeyID(m_nextHotKeyID);
    ++m_nextHotKeyID;
    m_hotKeys.append(hotKey);
    return hotKey;
}

void ZnHotKeyCenter::unregisterHotKey(const std::shared_ptr<ZnHotKey> &hotKey)
{
    if (!hotKey)
        return;
    if (const auto ref = hotKey->hotKeyRef()) {
        if (m_service)
            m_service->unregisterShortcut(*ref);
        hotKey->setHotKeyRef(std::nullopt);
    }
    m_hotKeys.removeAll(hotKey);
}

void ZnHotKeyCenter::unregisterAllHotKeys()
{
    unregisterHotKeysMatching([](const ZnHotKey &) { return true; });
}

void ZnHotKeyCenter::unregisterHotKeysWithTarget(const QObject *target)
{
    unregisterHotKeysMatching([target](const ZnHotKey &hotKey) { return hotKey.target() == target; });
}

void ZnHotKeyCenter::unregisterHotKeysWithTarget(const QObject *target, const QByteArray &actionName)
{
    unregisterHotKeysMatching([&](const ZnHotKey &hotKey) {
        return hotKey.target() == target && hotKey.action().name == actionName;
    });
}

void ZnHotKeyCenter::unregisterHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags)
{
    unregisterHotKeysMatching(
        [&](const ZnHotKey &hotKey) { return hotKey == ZnHotKey(keyCode, modifierFlags); });
}

void ZnHotKeyCenter::unregisterHotKeysMatching(const Predicate &predicate)
{
    // Works on a copy: unregistering edits the set.
    for (const auto &hotKey : hotKeysMatching(predicate))
        unregisterHotKey(hotKey);
}

ZnHotKeyCenter::HotKeyList ZnHotKeyCenter::registeredHotKeys() const
{
    return hotKeysMatching([](const ZnHotKey &hotKey) { return hotKey.hotKeyRef().has_value(); });
}

ZnHotKeyCenter::HotKeyList ZnHotKeyCenter::hotKeysMatching(const Predicate &predicate) const
{
    HotKeyList matching;
    for (const auto &hotKey : m_hotKeys) {
        if (predicate(*hotKey))
            matching.append(hotKey);
    }
    return matching;
}

bool ZnHotKeyCenter::hasRegisteredHotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags) const
{
    const ZnHotKey probe(keyCode, modifierFlags);
    return std::any_of(m_hotKeys.cbegin(), m_hotKeys.cend(),
                       [&](const std::shared_ptr<ZnHotKey> &hotKey) { return *hotKey == probe; });
}

void ZnHotKeyCenter::shortcutReleased(quint32 id, quint64 modifierFlags, quint32 timestamp)
{
    for (const auto &hotKey : std::as_const(m_hotKeys)) {
        if (hotKey->hotKeyID() != id)
            continue;
        // Held by a copy: the action may unregister the key that fired.
        const std::shared_ptr<ZnHotKey> firing = hotKey;
        firing->invokeWithEvent({firing->keyCode(), modifierFlags, timestamp});
        return;
    }
}
