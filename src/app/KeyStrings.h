#pragma once

#include <QString>

class KeyboardLayout;

// How a key combination reads: modifier glyphs in the platform's order, then the key's glyph
// or, for keys without one, what the current layout types for it.
class KeyStrings {
public:
    // Longest text a layout may give for one key.
    static constexpr int maxLayoutUnits = 255;

    // A null layout stands for one that types nothing.
    static QString keyStringForKeyCode(quint16 keyCode, quint64 modifierFlags, const KeyboardLayout *layout);
    // The glyph of a key that has one; empty for the others.
    static QString glyphForKeyCode(quint16 keyCode);
};
