#pragma once

#include "app/KeyboardLayout.h"

#include <QByteArray>

#include <memory>

// The keyboard layout through xkbcommon: the X server's current keymap and layout group, read
// anew for every question so that a switch of layout shows at once; or a layout given by its
// XKB names where there is no X display.
class XkbKeyboardLayout : public KeyboardLayout {
public:
    // An empty display name means $DISPLAY. Without a display the system's default XKB layout
    // (XKB_DEFAULT_LAYOUT, else "us") stands in.
    explicit XkbKeyboardLayout(const QByteArray &displayName = {});
    ~XkbKeyboardLayout() override;
    // A fixed layout such as "us" or "de"; null when xkbcommon has no such layout.
    static std::unique_ptr<XkbKeyboardLayout> fromNames(const QString &layout, const QString &variant = {});

    QString charactersForKeyCode(quint16 keyCode, int maxUnits) const override;
    std::optional<quint16> keyCodeForNativeScanCode(quint32 scanCode) const override;
    bool usesDisplay() const;

private:
    struct Private;
    explicit XkbKeyboardLayout(std::unique_ptr<Private> impl);

    std::unique_ptr<Private> d;
};
