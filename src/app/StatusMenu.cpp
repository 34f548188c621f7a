#include "StatusMenu.h"

#include "AppDelegate.h"
#include "Presentation.h"
#include "model/UserDefaults.h"

namespace {

const QString tabKey = QStringLiteral("\t");

void invoke(AppDelegate &app, StatusMenu::Action action)
{
    using Action = StatusMenu::Action;
    switch (action) {
    case Action::ToggleTouchbar:
        return app.toggleTouchbar();
    case Action::ChangeMode:
        return app.changeMode();
    case Action::CustomizeTouchbar:
        return app.customizeTouchbar();
    case Action::CustomizeControls:
        return app.customizeControls();
    case Action::OpenOSCSettings:
        return app.openOSCSettings();
    case Action::SetKeyCommands:
        return app.setKeyCommands();
    case Action::AttachToApplication:
        return app.attachToApplication();
    case Action::LoadSettings:
        return app.loadSettings();
    case Action::SaveSettings:
        return app.saveSettings();
    case Action::CheckForUpdate:
        return app.checkForUpdate();
    case Action::ChangeStartupCheck:
        return app.changeStartupCheck();
    case Action::ChangeLoginItem:
        return app.changeLoginItem();
    case Action::ResetStripdeck:
        return app.resetStripdeck();
    case Action::QuitApp:
        return app.quitApp();
    case Action::None:
        return;
    }
}

} // namespace

QString StatusMenu::showTitle()
{
    return QStringLiteral("Show Stripdeck");
}

QString StatusMenu::surfaceProtocolTitle()
{
    return QStringLiteral("Surface Protocol");
}

QString StatusMenu::hideTitle()
{
    return QStringLiteral("Hide Stripdeck");
}

StatusMenu::StatusMenu(AppDelegate &app)
    : m_app(app)
{
}

std::shared_ptr<MenuItem> StatusMenu::entry(const QString &title, Action action)
{
    auto item = std::make_shared<MenuItem>(title, [this, action](MenuItem &) { invoke(m_app, action); });
    item->setTag(int(action));
    return item;
}

// One entry per protocol, the one in use check-marked each time the submenu opens.
std::shared_ptr<MenuItem> StatusMenu::surfaceProtocolEntry()
{
    const std::pair<QString, QString> protocols[] = {
        {QStringLiteral("Native"), MidiServices::nativeProtocolName()},
        {QStringLiteral("Mackie Control"), MidiServices::mackieProtocolName()},
    };
    auto submenu = std::make_shared<Menu>();
    submenu->setTitle(surfaceProtocolTitle());
    for (const auto &protocol : protocols) {
        auto item = std::make_shared<MenuItem>(protocol.first, [this, name = protocol.second](MenuItem &) {
            m_app.midi().setSurfaceProtocol(name);
        });
        submenu->addItem(item);
    }
    submenu->setValidator([this, protocols](Menu &opened) {
        const QString inUse = m_app.midi().surfaceProtocol();
        for (qsizetype i = 0; i < opened.items().size(); ++i)
            opened.items()[i]->setState(protocols[i].second == inUse);
    });
    auto entry = std::make_shared<MenuItem>(surfaceProtocolTitle());
    entry->setSubmenu(submenu);
    return entry;
}

void StatusMenu::build(Menu &menu)
{
    menu.removeAllItems();
    auto version =
        std::make_shared<MenuItem>(QStringLiteral("Stripdeck (v. %1)").arg(AppDelegate::versionString()));
    version->setEnabled(false);
    menu.addItem(version);

    auto toggle = entry(showTitle(), Action::ToggleTouchbar);
    toggle->setKeyEquivalent(tabKey);
    toggle->setKeyEquivalentModifierMask(MenuItem::CommandModifier | MenuItem::OptionModifier);
    m_toggleMenuItem = toggle.get();
    menu.addItem(toggle);
    auto mode = entry(QStringLiteral("Control Surface Mode"), Action::ChangeMode);
    mode->setKeyEquivalent(tabKey);
    mode->setKeyEquivalentModifierMask(MenuItem::OptionModifier);
    m_modeMenuItem = mode.get();
    menu.addItem(mode);
    menu.addItem(surfaceProtocolEntry());
    menu.addItem(MenuItem::separatorItem());

    auto midiOut = std::make_shared<MenuItem>(QStringLiteral("Midi Out"));
    midiOut->setSubmenu(m_app.midiOutSubMenu());
    menu.addItem(midiOut);
    auto midiIn = std::make_shared<MenuItem>(QStringLiteral("Midi In"));
    midiIn->setSubmenu(m_app.midiInSubMenu());
    menu.addItem(midiIn);

    const QList<QList<std::pair<QString, Action>>> groups{
        {{QStringLiteral("Customize Touch Bar..."), Action::CustomizeTouchbar},
         {QStringLiteral("Customize Controls..."), Action::CustomizeControls}},
        {{QStringLiteral("OSC Settings..."), Action::OpenOSCSettings},
         {QStringLiteral("Key Commands..."), Action::SetKeyCommands},
         {QStringLiteral("Attach to Apps..."), Action::AttachToApplication}},
        {{QStringLiteral("Load Touchbar Settings..."), Action::LoadSettings},
         {QStringLiteral("Save Touchbar Settings..."), Action::SaveSettings}},
        {{QStringLiteral("Check for Update..."), Action::CheckForUpdate},
         {QStringLiteral("Check for Update on launch"), Action::ChangeStartupCheck},
         {QStringLiteral("Start at Login"), Action::ChangeLoginItem}},
        {{QStringLiteral("Reset Touch Bar"), Action::ResetStripdeck},
         {QStringLiteral("Quit"), Action::QuitApp}},
    };
    for (const auto &group : groups) {
        menu.addItem(MenuItem::separatorItem());
        for (const auto &[title, action] : group)
            menu.addItem(entry(title, action));
    }
    menu.setValidator([this](Menu &opened) {
        for (const auto &item : opened.items())
            validateMenuItem(*item);
    });
}

void StatusMenu::validateMenuItem(MenuItem &item) const
{
    const Presentation &presentation = m_app.presentation();
    const bool surface = presentation.controlSurfadeMode();
    const bool editCCs = presentation.editCCs();
    switch (Action(item.tag())) {
    case Action::CheckForUpdate:
        item.setEnabled(!m_app.isCheckingForUpate());
        return;
    case Action::CustomizeControls:
        item.setEnabled(!editCCs && !surface);
        return;
    case Action::CustomizeTouchbar:
    case Action::LoadSettings:
    case Action::SaveSettings:
        item.setEnabled(!surface && !editCCs);
        return;
    case Action::ChangeMode:
        item.setState(surface);
        item.setEnabled(!editCCs);
        return;
    case Action::ChangeStartupCheck:
        item.setState(m_app.defaults().boolForKey(QStringLiteral("CheckForUpdate")));
        item.setEnabled(true);
        return;
    case Action::ChangeLoginItem:
        // From the file each time: the user may have removed it, and a write that failed
        // must not show as done.
        item.setState(m_app.loginItem().isEnabled());
        item.setEnabled(true);
        return;
    case Action::None:
        // The title line stays disabled; separators and submenus need no rule.
        return;
    default:
        item.setEnabled(true);
        return;
    }
}
