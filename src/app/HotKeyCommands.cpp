#include "HotKeyCommands.h"

#include "AppDelegate.h"
#include "GlobalShortcutService.h"
#include "HotKeyPreferences.h"
#include "KeyStrings.h"
#include "KeyboardLayout.h"
#include "ZnHotKeyCenter.h"
#include "hotKeyViewController.h"

namespace {
const QByteArray toggleTouchbarName = QByteArrayLiteral("toggleTouchbar");
// A menu key equivalent is a short key text, never a whole word.
constexpr int maxKeyEquivalentUnits = 8;
// Of the modifier bits, menus keep shift, control, option and command.
constexpr quint32 keyEquivalentModifierBits = 0xFF1E0000u;
constexpr int firstSwitchIndex = 2;
constexpr int switchController = 64;
} // namespace

HotKeyCommands::HotKeyCommands(AppDelegate &app, GlobalShortcutService &service, const KeyboardLayout &layout,
                               ZnHotKeyCenter *center)
    : m_app(app)
    , m_service(service)
    , m_layout(layout)
    , m_center(center ? *center : ZnHotKeyCenter::sharedHotKeyCenter())
    , m_taken(HotKeyPreferences::names().size(), false)
{
    m_center.setService(&m_service);
    m_app.setHotKeyRegistry(this);
    m_app.setLaunchStep(AppDelegate::LaunchStep::RegisterShowHideHotKey,
                        [this] { registerHotKeysAtLaunch(); });
    m_app.settingsWindows().setContentFactory(SettingsWindows::Kind::KeyCommands, [this] {
        return new hotKeyViewController(m_app.defaults(), m_layout, m_service.unavailableReason(), m_taken,
                                        this);
    });
}

HotKeyCommands::~HotKeyCommands()
{
    m_app.setHotKeyRegistry(nullptr);
    m_app.setLaunchStep(AppDelegate::LaunchStep::RegisterShowHideHotKey, {});
    // Deleted, not closed: a window with unapplied changes refuses to close, and it must not
    // outlive the delegate it calls.
    delete m_app.settingsWindows().window(SettingsWindows::Kind::KeyCommands);
    m_app.settingsWindows().setContentFactory(SettingsWindows::Kind::KeyCommands, {});
    delete m_takenReport;
    m_center.unregisterAllHotKeys();
    m_center.setService(nullptr);
}

ZnHotKey::Action HotKeyCommands::actionAt(int index)
{
    if (index == 0)
        return {toggleTouchbarName,
                [this](const ZnHotKey::Event &, const QVariant &) { m_app.toggleTouchbar(); }};
    if (index == 1)
        return {QByteArrayLiteral("changeMode:"),
                [this](const ZnHotKey::Event &, const QVariant &) { m_app.changeMode(); }};
    return {QByteArrayLiteral("receivedGlobalKeyFrom:key:"),
            [this](const ZnHotKey::Event &event, const QVariant &object) {
                receivedGlobalKeyFrom(event, object.toInt());
            }};
}

void HotKeyCommands::registerHotKeyNamed(int index)
{
    const auto value = HotKeyPreferences(m_app.defaults()).valueForName(HotKeyPreferences::names().at(index));
    if (!value)
        return;
    const quint16 keyCode = HotKeyPreferences::keyCodeOf(*value);
    const quint64 modifierFlags = HotKeyPreferences::modifierFlagsOf(*value);
    // Held already: by this key, or by an earlier one with the same combination, which wins.
    if (m_center.hasRegisteredHotKeyWithKeyCode(keyCode, modifierFlags))
        return;
    const QVariant object = index >= firstSwitchIndex ? QVariant(index - firstSwitchIndex) : QVariant();
    m_taken[index] =
        !m_center.registerHotKeyWithKeyCode(keyCode, modifierFlags, this, actionAt(index), object);
}

void HotKeyCommands::registerHotKeysAtLaunch()
{
    registerHotKeys();
    // An application attached at launch may have shown the strip already, which wants them all.
    if (!m_app.presentation().touchbarShown())
        unregisterHotKeys();
    reportTakenHotKeys();
    refreshMenuKeyEquivalents();
}

void HotKeyCommands::reportTakenHotKeys()
{
    // Without global shortcuts at all the key commands window says why; nothing is taken.
    if (!m_service.unavailableReason().isEmpty())
        return;
    const HotKeyPreferences stored(m_app.defaults());
    QStringList descriptions;
    for (int i = 0; i < HotKeyPreferences::names().size(); ++i) {
        if (!m_taken.at(i))
            continue;
        const qint64 value = stored.valueForName(HotKeyPreferences::names().at(i)).value_or(0);
        descriptions.append(QStringLiteral("%1 (%2)").arg(
            HotKeyPreferences::titles().at(i),
            KeyStrings::keyStringForKeyCode(HotKeyPreferences::keyCodeOf(value),
                                            HotKeyPreferences::modifierFlagsOf(value), &m_layout)
                .toUpper()));
    }
    if (descriptions.isEmpty())
        return;
    Q_EMIT hotKeysTaken(descriptions);
    m_takenReport = new QMessageBox(
        QMessageBox::Warning, QStringLiteral("Stripdeck"),
        tr("Another program holds these key commands, so they do nothing in Stripdeck:\n%1\n\n"
           "Choose others under \"Key Commands...\" in the Stripdeck menu.")
            .arg(descriptions.join(QLatin1Char('\n'))),
        QMessageBox::Ok);
    m_takenReport->setAttribute(Qt::WA_DeleteOnClose);
    m_takenReport->setTextFormat(Qt::PlainText);
    m_takenReport->setWindowModality(Qt::NonModal);
    m_takenReport->show();
}

void HotKeyCommands::registerHotKeys()
{
    for (int i = 0; i < HotKeyPreferences::names().size(); ++i)
        registerHotKeyNamed(i);
}

void HotKeyCommands::unregisterHotKeys()
{
    m_center.unregisterHotKeysMatching(
        [](const ZnHotKey &hotKey) { return hotKey.action().name != toggleTouchbarName; });
}

void HotKeyCommands::unregisterAllHotKeys()
{
    m_center.unregisterAllHotKeys();
}

void HotKeyCommands::closeKeyCommandsWindow()
{
    m_app.closeKeyCommandsWindow();
    refreshMenuKeyEquivalents();
}

void HotKeyCommands::receivedGlobalKeyFrom(const ZnHotKey::Event &, int key)
{
    Presentation &presentation = m_app.presentation();
    if (presentation.controlSurfadeMode()) {
        // Through the surface protocol: Mackie Control has no message for it.
        m_app.midi().surfaceDelegate().sendControlSurfaceControl(switchController + key, 127, 1);
        return;
    }
    if (presentation.editTouchBar())
        return;
    TouchBar *bar = presentation.allUserTouchbars().value(key);
    if (!bar)
        return;
    presentation.setUserTouchbarNumber(key);
    presentation.setLastCreatedBar({});
    presentation.showTouchbar(bar);
}

void HotKeyCommands::setPrefsKey(const QString &name, MenuItem *item) const
{
    const auto value = HotKeyPreferences(m_app.defaults()).valueForName(name);
    if (!item || !value)
        return;
    const QString characters =
        m_layout.charactersForKeyCode(HotKeyPreferences::keyCodeOf(*value), maxKeyEquivalentUnits);
    if (characters.isEmpty())
        return;
    item->setKeyEquivalent(characters.left(maxKeyEquivalentUnits));
    item->setKeyEquivalentModifierMask(quint32(*value) & keyEquivalentModifierBits);
}

void HotKeyCommands::refreshMenuKeyEquivalents() const
{
    setPrefsKey(HotKeyPreferences::names().at(0), m_app.toggleMenuItem());
    setPrefsKey(HotKeyPreferences::names().at(1), m_app.modeMenuItem());
}
