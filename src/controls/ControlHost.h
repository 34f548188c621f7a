#pragma once

#include <QString>

class QObject;
class TouchBar;

// What the controls need of the application controller: which touch bar and group are shown,
// the popover, and the editor's edit mode.
class ControlHost {
public:
    virtual ~ControlHost() = default;

    virtual int userTouchbarNumber() const = 0;
    // The identifier of the group whose popover is open or being filled; empty if none.
    virtual QString lastCreatedBar() const = 0;
    virtual void setLastCreatedBar(const QString &identifier) = 0;
    virtual bool editCCs() const = 0;
    // The editor's setTouchBarNumber and setCurrentControl; without an open editor nothing.
    virtual void handOverToEditor(int userTouchbarNumber, QObject *control) = 0;

    virtual void openPopUp(TouchBar *bar, const QString &identifier) = 0;
    virtual void closePopUp() = 0;
    // The touch bar of the open popover, or null.
    virtual TouchBar *currentPopOver() const = 0;
};
