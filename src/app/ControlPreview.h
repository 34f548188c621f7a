#pragma once

#include "EditedControl.h"
#include "controls/padButton.h"
#include "controls/pianoView.h"
#include "controls/receiveValueSlider.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;

// Mock-ups of the edited control as the strip would draw it: a fader, a button or the piano,
// inside its group's frame when it is a group member, with a caption naming what it sends.
// They show only; touches pass through them.
class ControlPreview : public QWidget {
    Q_OBJECT
public:
    struct Look {
        EditedControl::Type type = EditedControl::Type::Pad;
        QString label;
        std::optional<QColor> color;
        std::optional<ControlIcons::Icon> image;
        // Fader behaviour other than volume draws from the centre.
        bool panFader = false;
        int octaves = 2;
        int startOctave = 4;
        // Set for a member of a group: the group's title and colour drawn around the control.
        std::optional<QString> groupLabel;
        QColor groupColor;
        QString caption;
    };

    explicit ControlPreview(QWidget *parent = nullptr);

    void showLook(const Look &look);
    void clear();

    receiveValueSlider *pseudoSliderView() const { return m_pseudoSliderView; }
    padButton *pseudoButtonView() const { return m_pseudoButtonView; }
    pianoView *pseudoPianoView() const { return m_pseudoPianoView; }
    // The group frame drawn around the control, or null.
    QWidget *pseudoGroupView() const { return m_pseudoGroupView; }
    QString caption() const;

private:
    QWidget *makeControl(const Look &look);
    void dropViews();

    QWidget *m_stage;
    QLabel *m_caption;
    QPointer<receiveValueSlider> m_pseudoSliderView;
    QPointer<padButton> m_pseudoButtonView;
    QPointer<pianoView> m_pseudoPianoView;
    QPointer<QWidget> m_pseudoGroupView;
};
