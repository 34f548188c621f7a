#pragma once

// What the update check window asks of the check: start when it is shown, stop on cancel.
class updateViewControllerDelegate {
public:
    virtual ~updateViewControllerDelegate() = default;
    virtual void startUpdateCheckForeground() = 0;
    virtual void cancelUpdateCheckForeground() = 0;
};
