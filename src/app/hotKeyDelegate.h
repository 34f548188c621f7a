#pragma once

// Told by the key commands window when it is done, applied or not.
class hotKeyDelegate {
public:
    virtual ~hotKeyDelegate() = default;
    virtual void closeKeyCommandsWindow() = 0;
};
