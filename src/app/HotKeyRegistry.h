#pragma once

// The global hot keys as the presentation switches them: the show/hide key stays registered
// for the whole run, the others only while a touch bar is shown and no settings window is open.
class HotKeyRegistry {
public:
    virtual ~HotKeyRegistry() = default;
    // The mode and touch bar switch keys.
    virtual void registerHotKeys() = 0;
    // Every key but the show/hide one.
    virtual void unregisterHotKeys() = 0;
    virtual void unregisterAllHotKeys() = 0;
};
