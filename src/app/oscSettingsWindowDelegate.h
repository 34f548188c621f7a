#pragma once

// Told by the OSC settings window after it saved its settings and is about to close.
class oscSettingsWindowDelegate {
public:
    virtual ~oscSettingsWindowDelegate() = default;
    virtual void closeOSCSettingsWindow() = 0;
};
