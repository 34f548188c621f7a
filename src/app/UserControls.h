#pragma once

#include "controls/ControlActions.h"
#include "controls/ControlHost.h"
#include "controls/ItemFactory.h"
#include "model/ControlMaps.h"

#include <functional>
#include <memory>

class KeySynthesizer;
class MidiServices;
class Presentation;
class TouchBarTemplates;
class UserDefaults;

// The faders, pads and buttons of the user touch bars, seen from the application: their
// actions, and the factory that makes them from the records of the shown touch bar.
class UserControls : public ControlHost {
public:
    using EditorHandOver = std::function<void(int userTouchbarNumber, QObject *control)>;

    // None is owned; all must outlive this object.
    UserControls(UserDefaults &defaults, MidiServices &midi, TouchBarTemplates &templates,
                 Presentation &presentation);

    ControlActions &actions() { return m_actions; }
    std::unique_ptr<ItemFactory> makeItemFactory();
    void setEditorHandOver(EditorHandOver handOver) { m_editorHandOver = std::move(handOver); }
    // What the escape button presses; not owned, must outlive this object. Without one the
    // button does nothing.
    void setKeySynthesizer(KeySynthesizer *keys);

    int userTouchbarNumber() const override;
    QString lastCreatedBar() const override;
    void setLastCreatedBar(const QString &identifier) override;
    bool editCCs() const override;
    void handOverToEditor(int userTouchbarNumber, QObject *control) override;
    void openPopUp(TouchBar *bar, const QString &identifier) override;
    void closePopUp() override;
    TouchBar *currentPopOver() const override;

private:
    static std::shared_ptr<TouchBarItem> fullWidthItem(const QString &identifier, QWidget *view);

    MidiServices &m_midi;
    Presentation &m_presentation;
    ControlMaps m_maps;
    ControlActions m_actions;
    EditorHandOver m_editorHandOver;
};
