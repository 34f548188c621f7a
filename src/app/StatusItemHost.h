#pragma once

class Menu;

// Where the status menu lives on screen: a tray icon, or a floating button where the desktop
// has no tray.
class StatusItemHost {
public:
    virtual ~StatusItemHost() = default;
    // The menu is not owned and must outlive the host's use of it.
    virtual void setMenu(Menu *menu) = 0;
    virtual void setVisible(bool visible) = 0;
};
