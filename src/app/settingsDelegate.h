#pragma once

// What the control settings editor asks of the application controller.
class settingsDelegate {
public:
    virtual ~settingsDelegate() = default;

    virtual void closeSettingsWindow() = 0;
    // Records take effect only in items made after a write, so every apply rebuilds the strip.
    virtual void reloadTouchbar() = 0;
};
