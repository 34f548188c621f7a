#pragma once

#include "model/Menu.h"

class AppDelegate;

// The status menu: its entries in order with their key equivalents, and the enabling rules
// checked each time it opens.
class StatusMenu {
public:
    // Which operation an entry triggers; kept as the entry's tag for the enabling rules.
    enum class Action {
        None,
        ToggleTouchbar,
        ChangeMode,
        CustomizeTouchbar,
        CustomizeControls,
        OpenOSCSettings,
        SetKeyCommands,
        AttachToApplication,
        LoadSettings,
        SaveSettings,
        CheckForUpdate,
        ChangeStartupCheck,
        ChangeLoginItem,
        ResetStripdeck,
        QuitApp,
    };

    static QString showTitle();
    static QString hideTitle();
    static QString surfaceProtocolTitle();

    explicit StatusMenu(AppDelegate &app);

    // Builds the entries into the menu; the device submenus are the delegate's.
    void build(Menu &menu);
    MenuItem *toggleMenuItem() const { return m_toggleMenuItem; }
    MenuItem *modeMenuItem() const { return m_modeMenuItem; }
    void validateMenuItem(MenuItem &item) const;

private:
    std::shared_ptr<MenuItem> entry(const QString &title, Action action);
    std::shared_ptr<MenuItem> surfaceProtocolEntry();

    AppDelegate &m_app;
    MenuItem *m_toggleMenuItem = nullptr;
    MenuItem *m_modeMenuItem = nullptr;
};
