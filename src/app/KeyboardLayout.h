#pragma once

#include <QString>

#include <optional>

// The current keyboard layout of the system, addressed by macOS virtual key codes (hardware
// positions) as the stored hot keys are.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // What the key gives pressed down without modifiers, at most maxUnits UTF-16 units; empty
    // for a key that gives no character (a dead key, a function key) or that the layout lacks.
    virtual QString charactersForKeyCode(quint16 keyCode, int maxUnits) const = 0;
    // The virtual key code of a key event's native scan code; nothing for keys without one.
    virtual std::optional<quint16> keyCodeForNativeScanCode(quint32 scanCode) const = 0;
};
