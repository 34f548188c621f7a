#pragma once

#include <QtGlobal>

#include <optional>

// Stored hot keys name keys by macOS virtual key code (a position on an Apple keyboard), so that
// preferences and settings files read the same everywhere. This is the one table between those
// codes and X key codes (evdev codes plus 8, as every current X server numbers keys).
class MacKeyCodes {
public:
    static std::optional<quint8> xKeyCode(quint16 macKeyCode);
    static std::optional<quint16> macKeyCode(quint32 xKeyCode);
};
