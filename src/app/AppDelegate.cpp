#include "AppDelegate.h"

#include "HotKeyRegistry.h"
#include "StatusItemHost.h"
#include "midi/Client.h"
#include "model/PreferencesSetup.h"
#include "model/PropertyList.h"
#include "model/UserDefaults.h"
#include "model/controlStore.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarHost.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QFile>

namespace {
const QString checkForUpdateKey = QStringLiteral("CheckForUpdate");
}

AppDelegate::AppDelegate(UserDefaults &defaults, StatusItemHost &statusItem, TouchBarHost &touchBarHost,
                         QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_midi(defaults)
    , m_osc(defaults, this)
    , m_statusItem(statusItem)
    , m_touchBarHost(touchBarHost)
    , m_arrangements(defaults)
    , m_templates(this, &m_arrangements)
    , m_presentation(touchBarHost, m_templates)
    , m_controls(defaults, m_midi, m_templates, m_presentation)
    , m_attachment(defaults, m_presentation)
    , m_statusMenuBuilder(*this)
    , m_itemFactory(m_controls.makeItemFactory())
{
    m_midi.feedback().setClosePopUp([this] { closePopUp(); });
    m_controls.actions().setOscSender([this](const QString &address, const QVariantList &values) {
        m_osc.sendOSCMessageWithAddressPattern(address, values);
    });
    m_midi.surfaceDelegate().setOpenDeviceTouchBar([this] { openDeviceTouchBar(); });
    m_controls.actions().setSurfaceSender([this](int controller, int value, int channel) {
        m_midi.surfaceDelegate().sendControlSurfaceControl(controller, value, channel);
    });
    connect(&m_presentation, &Presentation::touchbarShownChanged, this, &AppDelegate::touchbarShownChanged);
    setLaunchStep(LaunchStep::AttachFrontmostApplication,
                  [this] { m_attachment.attachFrontmostApplication(); });
    m_settingsWindows.setContentFactory(SettingsWindows::Kind::Attach,
                                        [this] { return m_attachment.makeAttachWindow(*this); });
}

AppDelegate::~AppDelegate() = default;

QString AppDelegate::versionString()
{
    return QStringLiteral(STRIPDECK_VERSION);
}

QVariantMap AppDelegate::defaultsResource()
{
    QFile file(QStringLiteral(":/defaults.plist"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return PropertyList::fromData(file.readAll()).value_or(QVariant()).toMap();
}

void AppDelegate::setLaunchStep(LaunchStep step, std::function<void()> work)
{
    m_launchSteps[std::size_t(step)] = std::move(work);
}

void AppDelegate::runLaunchStep(LaunchStep step)
{
    if (const auto &work = m_launchSteps[std::size_t(step)])
        work();
}

void AppDelegate::applicationDidFinishLaunching()
{
    setupUserPreferences();
    setupMIDI();
    createMenu();
    m_presentation.buildUserTouchbars();
    connect(midi::Client::sharedClient(), &midi::Client::setupChanged, this, &AppDelegate::updateDeviceMenu);
    connect(&m_touchBarHost, &TouchBarHost::didExitCustomization, this, &AppDelegate::exitCustomization);
    runLaunchStep(LaunchStep::AttachFrontmostApplication);
    runLaunchStep(LaunchStep::RegisterShowHideHotKey);
    if (m_defaults.boolForKey(checkForUpdateKey))
        runLaunchStep(LaunchStep::StartUpdateCheck);
    setupOSC();
}

void AppDelegate::applicationWillTerminate()
{
    // Nothing is saved here: every setting was written when it changed. The windows go first so
    // that none outlives the run on a screen that keeps showing it until the process is gone.
    if (m_presentation.touchbarShown())
        m_presentation.closeTouchbar(m_presentation.currentRootTouchbar());
    m_settingsWindows.closeAll();
    m_statusItem.setVisible(false);
    // Last: closing a window that unregistered the hot keys registers them again.
    unregisterAllHotKeys();
}

void AppDelegate::setupUserPreferences()
{
    PreferencesSetup(m_defaults).setupUserPreferences(defaultsResource());
}

void AppDelegate::createMenu()
{
    m_statusMenuBuilder.build(m_statusMenu);
    updateDeviceMenu();
    m_statusItem.setMenu(&m_statusMenu);
    m_statusItem.setVisible(true);
}

std::shared_ptr<TouchBarItem> AppDelegate::makeItemForIdentifier(TouchBar &bar, const QString &identifier)
{
    return m_itemFactory ? m_itemFactory->makeItemForIdentifier(bar, identifier) : nullptr;
}

void AppDelegate::openDeviceTouchBar()
{
    m_controls.actions().openDeviceTouchBar();
}

void AppDelegate::setVal(const QVariant &value, const QString &address)
{
    if (controlStore *cell = m_midi.listeners().oscStore(address))
        cell->setValue(value);
}

void AppDelegate::touchbarShownChanged(bool shown)
{
    if (shown)
        registerHotKeys();
    else
        unregisterHotKeys();
    if (MenuItem *toggle = toggleMenuItem())
        toggle->setTitle(shown ? StatusMenu::hideTitle() : StatusMenu::showTitle());
}

void AppDelegate::customizeTouchbar()
{
    m_presentation.setEditTouchBar(true);
    m_presentation.closePopUp();
    if (m_presentation.userTouchbarNumber() == Presentation::noUserTouchbar) {
        m_presentation.setUserTouchbarNumber(0);
        m_presentation.setLastCreatedBar({});
    }
    const TouchBar *userBar = m_presentation.allUserTouchbars().value(m_presentation.userTouchbarNumber());
    if (!userBar)
        return;
    m_responderTouchBar = m_templates.makeTouchBar();
    m_responderTouchBar->setCustomizationIdentifier(userBar->customizationIdentifier());
    m_responderTouchBar->setDefaultItemIdentifiers(userBar->defaultItemIdentifiers());
    m_touchBarHost.toggleCustomizationPalette(m_responderTouchBar.get());
}

void AppDelegate::exitCustomization()
{
    m_presentation.reloadTouchbar();
    m_presentation.setEditTouchBar(false);
}

void AppDelegate::customizeControls()
{
    m_presentation.closePopUp();
    m_presentation.rememberState();
    m_statusItem.setVisible(false);
    m_presentation.setEditCCs(true);
    m_settingsWindows.open(SettingsWindows::Kind::Controls);
}

void AppDelegate::openWindowHidingStatusItem(SettingsWindows::Kind kind)
{
    m_statusItem.setVisible(false);
    unregisterAllHotKeys();
    m_settingsWindows.open(kind);
}

void AppDelegate::openOSCSettings()
{
    openWindowHidingStatusItem(SettingsWindows::Kind::OSC);
}

void AppDelegate::setKeyCommands()
{
    openWindowHidingStatusItem(SettingsWindows::Kind::KeyCommands);
}

void AppDelegate::attachToApplication()
{
    m_settingsWindows.close(SettingsWindows::Kind::Attach);
    openWindowHidingStatusItem(SettingsWindows::Kind::Attach);
}

void AppDelegate::changeStartupCheck()
{
    m_defaults.setObject(!m_defaults.boolForKey(checkForUpdateKey), checkForUpdateKey);
}

void AppDelegate::changeLoginItem()
{
    QString error;
    if (!m_loginItem.setEnabled(!m_loginItem.isEnabled(), &error))
        qWarning("stripdeck: %s", qPrintable(error));
}

void AppDelegate::resetStripdeck()
{
    m_presentation.closePopUp();
    m_presentation.reloadTouchbar();
}

void AppDelegate::closeSettingsWindow()
{
    m_presentation.closePopUp();
    m_settingsWindows.close(SettingsWindows::Kind::Controls);
    m_presentation.setEditCCs(false);
    m_statusItem.setVisible(true);
}

void AppDelegate::returnFromWindow()
{
    registerHotKeys();
    m_statusItem.setVisible(true);
}

void AppDelegate::closeOSCSettingsWindow()
{
    returnFromWindow();
}

void AppDelegate::closeKeyCommandsWindow()
{
    m_settingsWindows.close(SettingsWindows::Kind::KeyCommands);
    returnFromWindow();
}

void AppDelegate::closeAttachAppWindow()
{
    returnFromWindow();
}

void AppDelegate::registerHotKeys()
{
    if (m_hotKeys)
        m_hotKeys->registerHotKeys();
}

void AppDelegate::unregisterHotKeys()
{
    if (m_hotKeys)
        m_hotKeys->unregisterHotKeys();
}

void AppDelegate::unregisterAllHotKeys()
{
    if (m_hotKeys)
        m_hotKeys->unregisterAllHotKeys();
}
