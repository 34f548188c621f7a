#include "ZnHotKey.h"

#include <QStringList>

ZnHotKey::ZnHotKey(quint16 keyCode, quint64 modifierFlags)
    : m_keyCode(keyCode)
    , m_modifierFlags(modifierFlags)
{
}

std::shared_ptr<ZnHotKey> ZnHotKey::hotKeyWithKeyCode(quint16 keyCode, quint64 modifierFlags, Task task)
{
    auto hotKey = std::make_shared<ZnHotKey>(keyCode, modifierFlags);
    hotKey->setTask(std::move(task));
    return hotKey;
}

void ZnHotKey::invokeWithEvent(const Event &event) const
{
    if (m_target && m_action.call) {
        m_action.call(event, m_object);
        return;
    }
    if (m_task)
        m_task(event);
}

QString ZnHotKey::description() const
{
    static const std::pair<quint64, const char *> flagNames[] = {
        {ControlKeyMask, "NSControlKeyMask"},
        {CommandKeyMask, "NSCommandKeyMask"},
        {ShiftKeyMask, "NSShiftKeyMask"},
        {AlternateKeyMask, "NSAlternateKeyMask"},
    };
    QStringList flags;
    for (const auto &[mask, name] : flagNames) {
        if (m_modifierFlags & mask)
            flags.append(QString::fromLatin1(name));
    }
    const QString base = QStringLiteral("<ZnHotKey: 0x%1>").arg(quintptr(this), 0, 16);
    const QString invokes =
        m_target && m_action.call
            ? QStringLiteral("[%1 %2]").arg(QString::fromLatin1(m_target->metaObject()->className()),
                                            QString::fromLatin1(m_action.name))
            : QStringLiteral("(block)");
    return QStringLiteral("%1\n\t(key: %2\n\tflags: (%3)\n\tinvokes: %4)")
        .arg(base)
        .arg(m_keyCode)
        .arg(flags.join(QStringLiteral(" | ")), invokes);
}
