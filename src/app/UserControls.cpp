#include "UserControls.h"

#include "MidiServices.h"
#include "Presentation.h"

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
    return std::make_unique<ItemFactory>(m_actions, m_maps, m_midi.listeners(), *this);
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
