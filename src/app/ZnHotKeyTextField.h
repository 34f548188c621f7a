#pragma once

#include "ZnHotKey.h"

#include <QLineEdit>

#include <memory>

class KeyboardLayout;

// A field that records the key combination typed into it instead of text. Every key press
// while it has the focus is consumed, Tab included, so any combination can be recorded.
// Escape alone puts the combination it had back; Escape or Return alone end editing.
class ZnHotKeyTextField : public QLineEdit {
    Q_OBJECT
public:
    ZnHotKeyTextField(const KeyboardLayout &layout, QWidget *parent = nullptr);

    const std::shared_ptr<ZnHotKey> &hotKey() const { return m_hotKey; }
    // Null shows nothing.
    void setHotKey(std::shared_ptr<ZnHotKey> hotKey);
    // Another program holds the combination shown, so it does not work; a new recording clears it.
    bool isTaken() const { return m_taken; }
    void setTaken(bool taken);

    static quint64 modifierFlagsOf(Qt::KeyboardModifiers modifiers);

Q_SIGNALS:
    // The field's action: a combination was recorded, or editing ended.
    void hotKeyRecorded();
    void editingEnded();

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void keyDown(const QKeyEvent &event);
    void record(quint16 keyCode, quint64 modifierFlags);
    void showHotKey();

    const KeyboardLayout &m_layout;
    std::shared_ptr<ZnHotKey> m_hotKey;
    std::shared_ptr<ZnHotKey> m_originalHotKey;
    bool m_hasSeenKeyDown = false;
    bool m_taken = false;
    bool m_originalTaken = false;
};
