#include "ZnHotKeyTextField.h"

#include "KeyStrings.h"
#include "KeyboardLayout.h"

#include <QKeyEvent>

namespace {

constexpr quint16 escapeKeyCode = 53;
constexpr quint64 anyModifier = ZnHotKey::ShiftKeyMask | ZnHotKey::ControlKeyMask |
                                ZnHotKey::AlternateKeyMask | ZnHotKey::CommandKeyMask |
                                ZnHotKey::FunctionKeyMask;

// The flag a modifier key adds by being pressed; X reports a modifier key's own press with the
// state from before it.
quint64 flagOfModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
        return ZnHotKey::ShiftKeyMask;
    case Qt::Key_Control:
        return ZnHotKey::ControlKeyMask;
    case Qt::Key_Alt:
        return ZnHotKey::AlternateKeyMask;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return ZnHotKey::CommandKeyMask;
    default:
        return 0;
    }
}

} // namespace

ZnHotKeyTextField::ZnHotKeyTextField(const KeyboardLayout &layout, QWidget *parent)
    : QLineEdit(parent)
    , m_layout(layout)
{
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(QStringLiteral("QLineEdit:focus { border: 2px solid palette(highlight); }"));
}

quint64 ZnHotKeyTextField::modifierFlagsOf(Qt::KeyboardModifiers modifiers)
{
    quint64 flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= ZnHotKey::ShiftKeyMask;
    if (modifiers & Qt::ControlModifier)
        flags |= ZnHotKey::ControlKeyMask;
    if (modifiers & Qt::AltModifier)
        flags |= ZnHotKey::AlternateKeyMask;
    if (modifiers & Qt::MetaModifier)
        flags |= ZnHotKey::CommandKeyMask;
    return flags;
}

void ZnHotKeyTextField::setHotKey(std::shared_ptr<ZnHotKey> hotKey)
{
    m_hotKey = std::move(hotKey);
    showHotKey();
}

void ZnHotKeyTextField::setTaken(bool taken)
{
    m_taken = taken;
    setToolTip(taken ? tr("Another program holds this combination, so it does nothing here. Record another.")
                     : QString());
    showHotKey();
}

void ZnHotKeyTextField::showHotKey()
{
    QString text =
        m_hotKey ? KeyStrings::keyStringForKeyCode(m_hotKey->keyCode(), m_hotKey->modifierFlags(), &m_layout)
                       .toUpper()
                 : QString();
    if (m_taken && m_hotKey)
        text += tr(" (taken)");
    setText(text);
}

void ZnHotKeyTextField::focusInEvent(QFocusEvent *event)
{
    m_originalHotKey = m_hotKey;
    m_originalTaken = m_taken;
    m_hasSeenKeyDown = false;
    QLineEdit::focusInEvent(event);
}

bool ZnHotKeyTextField::event(QEvent *event)
{
    // Shortcuts of the window and focus moves by Tab would otherwise take keys before us.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        keyDown(*static_cast<QKeyEvent *>(event));
        return true;
    }
    if (event->type() == QEvent::KeyRelease)
        return true;
    return QLineEdit::event(event);
}

void ZnHotKeyTextField::keyDown(const QKeyEvent &event)
{
    const auto keyCode = m_layout.keyCodeForNativeScanCode(event.nativeScanCode());
    if (!keyCode)
        return;
    const quint64 modifierKeyFlag = flagOfModifierKey(event.key());
    const quint64 flags = modifierFlagsOf(event.modifiers()) | modifierKeyFlag;
    const bool hasModifier = flags & anyModifier;
    if (modifierKeyFlag) {
        // A modifier alone counts only until a real key came, so releasing the keys of a
        // recorded combination one by one does not overwrite it.
        if (!m_hasSeenKeyDown)
            record(*keyCode, flags);
        return;
    }
    m_hasSeenKeyDown = true;
    const bool isReturn = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (!hasModifier && (isReturn || *keyCode == escapeKeyCode)) {
        if (*keyCode == escapeKeyCode) {
            setTaken(m_originalTaken);
            setHotKey(m_originalHotKey);
        }
        Q_EMIT editingEnded();
        clearFocus();
        return;
    }
    record(*keyCode, flags);
}

void ZnHotKeyTextField::record(quint16 keyCode, quint64 modifierFlags)
{
    auto hotKey = std::make_shared<ZnHotKey>(keyCode, modifierFlags);
    if (m_originalHotKey)
        hotKey->setTask(m_originalHotKey->task());
    // Whether another program holds the new combination is known only once it is registered.
    setTaken(false);
    setHotKey(std::move(hotKey));
    Q_EMIT hotKeyRecorded();
}
