#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// One key combination: a macOS virtual key code with device-independent modifier flags, and
// what it does when it fires. The centre owns registered ones; the handle is set only while
// the global-shortcut service holds the combination.
class ZnHotKey {
public:
    enum ModifierFlag : quint64 {
        CapsLockKeyMask = 0x10000,
        ShiftKeyMask = 0x20000,
        ControlKeyMask = 0x40000,
        AlternateKeyMask = 0x80000,
        CommandKeyMask = 0x100000,
        FunctionKeyMask = 0x800000,
    };

    // The key-up event a hot key is invoked with.
    struct Event {
        quint16 keyCode = 0;
        quint64 modifierFlags = 0;
        quint32 timestamp = 0;
    };

    using Task = std::function<void(const Event &event)>;
    // A named operation of the target; hot keys are compared and removed by the name.
    struct Action {
        QByteArray name;
        std::function<void(const Event &event, const QVariant &object)> call;
    };

    ZnHotKey(quint16 keyCode, quint64 modifierFlags);
    static std::shared_ptr<ZnHotKey> hotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags, Task task);

    quint16 keyCode() const { return m_keyCode; }
    quint64 modifierFlags() const { return m_modifierFlags; }
    quint32 hotKeyID() const { return m_hotKeyID; }
    void setHotKeyID(quint32 id) { m_hotKeyID = id; }
    QObject *target() const { return m_target; }
    void setTarget(QObject *target) { m_target = target; }
    const Action &action() const { return m_action; }
    void setAction(Action action) { m_action = std::move(action); }
    const QVariant &object() const { return m_object; }
    void setObject(const QVariant &object) { m_object = object; }
    const Task &task() const { return m_task; }
    void setTask(Task task) { m_task = std::move(task); }
    const std::optional<quint32> &hotKeyRef() const { return m_hotKeyRef; }
    void setHotKeyRef(std::optional<quint32> ref) { m_hotKeyRef = ref; }

    // The action while its target lives, else the task.
    void invokeWithEvent(const Event &event) const;
    QString description() const;

    bool operator==(const ZnHotKey &other) const
    {
        return m_keyCode == other.m_keyCode && m_modifierFlags == other.m_modifierFlags;
    }
    size_t hash() const { return size_t(m_keyCode ^ m_modifierFlags); }

private:
    quint16 m_keyCode = 0;
    quint32 m_hotKeyID = 0;
    QPointer<QObject> m_target;
    Action m_action;
    QVariant m_object;
    Task m_task;
    quint64 m_modifierFlags = 0;
    std::optional<quint32> m_hotKeyRef;
};
