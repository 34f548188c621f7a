#pragma once

#include "app/StatusItemHost.h"

#include <QPointer>

#include <memory>

class QMenu;
class QtMenu;
class QPushButton;
class QSystemTrayIcon;

// Shows the status menu from a tray icon, or from a small always-on-top "Stripdeck" button
// where the desktop offers no tray (plain GNOME, a bare X server).
class TrayStatusItem : public StatusItemHost {
public:
    TrayStatusItem();
    ~TrayStatusItem() override;

    void setMenu(Menu *menu) override;
    void setVisible(bool visible) override;

    bool usesTray() const { return m_tray != nullptr; }
    QMenu *qmenu() const { return m_qmenu.get(); }

private:
    std::unique_ptr<QMenu> m_qmenu;
    // Declared after the menu it fills, so that it goes first.
    std::unique_ptr<QtMenu> m_mirror;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    std::unique_ptr<QPushButton> m_button;
};
