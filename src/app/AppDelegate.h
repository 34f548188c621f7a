#pragma once

#include "ApplicationAttachment.h"
#include "LoginItem.h"
#include "MidiServices.h"
#include "Presentation.h"
#include "SettingsWindows.h"
#include "StatusMenu.h"
#include "UserControls.h"
#include "attachViewControllerDelegate.h"
#include "controls/TouchBarTemplates.h"
#include "model/Menu.h"
#include "osc/OSCController.h"
#include "osc/oscServerDelegate.h"
#include "platform/touchbar/TouchBarArrangements.h"
#include "platform/touchbar/TouchBarDelegate.h"
#include "settingsDelegate.h"

#include <QObject>
#include <QVariantMap>

#include <array>
#include <functional>
#include <memory>

class HotKeyRegistry;
class StatusItemHost;
class TouchBarHost;
class UserDefaults;

// Owns what lives for the whole run and keeps the program's operation names; the work
// itself is done by the classes it forwards to.
class AppDelegate : public QObject,
                    public TouchBarDelegate,
                    public oscServerDelegate,
                    public settingsDelegate,
                    public attachViewControllerDelegate {
    Q_OBJECT
public:
    // Start-up steps whose work lives elsewhere, in the order they run among the others.
    enum class LaunchStep { AttachFrontmostApplication, RegisterShowHideHotKey, StartUpdateCheck };

    AppDelegate(UserDefaults &defaults, StatusItemHost &statusItem, TouchBarHost &touchBarHost,
                QObject *parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    void setupUserPreferences();
    void createMenu();
    void setupMIDI() { m_midi.setupMIDI(); }
    void updateDeviceMenu() { m_midi.endpoints().updateDeviceMenu(); }
    void openDeviceTouchBar();
    void setupOSC() { m_osc.setupOSC(); }
    // Incoming OSC moves the listener cell of exactly that address.
    void setVal(const QVariant &value, const QString &address) override;
    OSCController &osc() { return m_osc; }

    // The seams later parts plug into.
    void setLaunchStep(LaunchStep step, std::function<void()> work);
    void setItemFactory(std::unique_ptr<TouchBarDelegate> factory) { m_itemFactory = std::move(factory); }
    // Not owned; must outlive the delegate.
    void setHotKeyRegistry(HotKeyRegistry *registry) { m_hotKeys = registry; }
    // Not owned; where the frontmost application comes from, before the launch.
    void setFrontmostApplicationSource(FrontmostApplicationSource *source) { m_attachment.setSource(source); }
    ApplicationCatalog &applications() { return m_attachment.applications(); }
    ApplicationAttachment &attachment() { return m_attachment; }
    void checkFrontmostApplication(const QString &frontmost)
    {
        m_attachment.checkFrontmostApplication(frontmost);
    }
    QString frontmostAppIdentifier() const override { return m_attachment.frontmostIdentifier(); }

    std::shared_ptr<TouchBarItem> makeItemForIdentifier(TouchBar &bar, const QString &identifier) override;

    void toggleTouchbar() { m_presentation.toggleTouchbar(); }
    void presentTouchbar() { m_presentation.presentTouchbar(); }
    void changeMode() { m_presentation.changeMode(); }
    void showTouchbar(TouchBar *bar) { m_presentation.showTouchbar(bar); }
    void openTouchbar(TouchBar *bar, const QString &identifier)
    {
        m_presentation.openTouchbar(bar, identifier);
    }
    void closeTouchbar(TouchBar *bar) { m_presentation.closeTouchbar(bar); }
    void openPopUp(TouchBar *bar, const QString &identifier) { m_presentation.openPopUp(bar, identifier); }
    void closePopUp() { m_presentation.closePopUp(); }
    void reloadTouchbar() override { m_presentation.reloadTouchbar(); }
    void loadTouchbar() { m_presentation.loadTouchbar(); }

    // Status menu actions.
    void customizeTouchbar();
    void exitCustomization();
    void customizeControls();
    void openOSCSettings();
    void setKeyCommands();
    void attachToApplication();
    void loadSettings() { Q_EMIT loadSettingsRequested(); }
    void saveSettings() { Q_EMIT saveSettingsRequested(); }
    void checkForUpdate() { Q_EMIT checkForUpdateRequested(); }
    void changeStartupCheck();
    void changeLoginItem();
    void resetStripdeck();
    void quitApp() { Q_EMIT quitRequested(); }
    void validateMenuItem(MenuItem &item) const { m_statusMenuBuilder.validateMenuItem(item); }

    // Window-closing callbacks.
    void closeSettingsWindow() override;
    void closeOSCSettingsWindow();
    void closeKeyCommandsWindow();
    void closeAttachAppWindow() override;

    UserDefaults &defaults() const { return m_defaults; }
    const LoginItem &loginItem() const { return m_loginItem; }
    Presentation &presentation() { return m_presentation; }
    const Presentation &presentation() const { return m_presentation; }
    TouchBarTemplates &templates() { return m_templates; }
    SettingsWindows &settingsWindows() { return m_settingsWindows; }
    Menu &statusMenu() { return m_statusMenu; }
    MenuItem *toggleMenuItem() const { return m_statusMenuBuilder.toggleMenuItem(); }
    MenuItem *modeMenuItem() const { return m_statusMenuBuilder.modeMenuItem(); }
    MidiServices &midi() { return m_midi; }
    UserControls &controls() { return m_controls; }
    const std::shared_ptr<Menu> &midiOutSubMenu() { return m_midi.endpoints().midiOutSubMenu(); }
    const std::shared_ptr<Menu> &midiInSubMenu() { return m_midi.endpoints().midiInSubMenu(); }
    TouchBar *responderTouchBar() const { return m_responderTouchBar.get(); }
    bool isCheckingForUpate() const { return m_isCheckingForUpate; }
    void setCheckingForUpate(bool checking) { m_isCheckingForUpate = checking; }

    static QString versionString();
    // The defaults resource embedded in the program.
    static QVariantMap defaultsResource();

Q_SIGNALS:
    void quitRequested();
    void loadSettingsRequested();
    void saveSettingsRequested();
    void checkForUpdateRequested();

private:
    void runLaunchStep(LaunchStep step);
    void touchbarShownChanged(bool shown);
    void openWindowHidingStatusItem(SettingsWindows::Kind kind);
    void returnFromWindow();
    void registerHotKeys();
    void unregisterHotKeys();
    void unregisterAllHotKeys();

    UserDefaults &m_defaults;
    MidiServices m_midi;
    OSCController m_osc;
    StatusItemHost &m_statusItem;
    TouchBarHost &m_touchBarHost;
    TouchBarArrangements m_arrangements;
    TouchBarTemplates m_templates;
    Presentation m_presentation;
    UserControls m_controls;
    SettingsWindows m_settingsWindows;
    // After the windows, so its window is gone before they are.
    ApplicationAttachment m_attachment;
    StatusMenu m_statusMenuBuilder;
    Menu m_statusMenu;
    std::unique_ptr<TouchBar> m_responderTouchBar;
    std::array<std::function<void()>, 3> m_launchSteps;
    std::unique_ptr<TouchBarDelegate> m_itemFactory;
    HotKeyRegistry *m_hotKeys = nullptr;
    bool m_isCheckingForUpate = false;
    LoginItem m_loginItem = LoginItem::standard();
};
