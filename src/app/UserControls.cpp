#include "UserControls.h"

#include "MidiServices.h"
#include "Presentation.h"
#include "controls/KeySynthesizer.h"
#include "controls/controlStripView.h"
#include "controls/eightFaderView.h"
#include "model/ControlCatalog.h"
#include "platform/touchbar/TouchBarItem.h"

UserControls::UserControls(UserDefaults &defaults, MidiServices &midi, TouchBarTemplates &templates,
                           Presentation &presentation)
    : m_midi(midi)
    , m_presentation(presentation)
    , m_maps(defaults)
    , m_actions(midi.router(), midi.listeners(), templates, *this)
{
}

std::unique_ptr<ItemFactory> UserControls::makeItemFactory()
{
    auto factory = std::make_unique<ItemFactory>(m_actions, m_maps, m_midi.listeners(), *this);
    // The bank and the strip keep their models for the whole run; each showing gets a new view.
    factory->setMaker(ControlCatalog::eightFaderViewIdentifier(),
                      [this](const QString &identifier, const ControlSettings &) {
                          return fullWidthItem(identifier, new eightFaderView(&m_midi.eightFaderItem()));
                      });
    factory->setMaker(ControlCatalog::controlStripViewIdentifier(),
                      [this](const QString &identifier, const ControlSettings &) {
                          return fullWidthItem(identifier, new controlStripView(&m_midi.controlStripItem()));
                      });
    return factory;
}

void UserControls::setKeySynthesizer(KeySynthesizer *keys)
{
    // A key that cannot be posted is dropped: the button has nowhere to report it.
    m_actions.setEscapeKey(
        keys ? ControlActions::EscapeKey([keys](bool keyDown) { keys->postEscape(keyDown); })
             : ControlActions::EscapeKey());
}

std::shared_ptr<TouchBarItem> UserControls::fullWidthItem(const QString &identifier, QWidget *view)
{
    auto item = std::make_shared<TouchBarItem>(identifier);
    item->setView(view);
    item->setSizing(TouchBarItem::Sizing::Fill, 0);
    return item;
}

int UserControls::userTouchbarNumber() const
{
    return m_presentation.userTouchbarNumber();
}

QString UserControls::lastCreatedBar() const
{
    return m_presentation.lastCreatedBar();
}

void UserControls::setLastCreatedBar(const QString &identifier)
{
    m_presentation.setLastCreatedBar(identifier);
}

bool UserControls::editCCs() const
{
    return m_presentation.editCCs();
}

void UserControls::handOverToEditor(int userTouchbarNumber, QObject *control)
{
    if (m_editorHandOver)
        m_editorHandOver(userTouchbarNumber, control);
}

void UserControls::openPopUp(TouchBar *bar, const QString &identifier)
{
    m_presentation.openPopUp(bar, identifier);
}

void UserControls::closePopUp()
{
    m_presentation.closePopUp();
}

TouchBar *UserControls::currentPopOver() const
{
    return m_presentation.currentPopOver();
}
