#pragma once

#include "EditedControl.h"
#include "model/ControlSettings.h"

#include <QColor>
#include <QString>
#include <QVariantMap>

// The values of a control's stored record as the control settings editor shows them, with the
// editor's own stand-ins where the record holds none: edits are changes against these.
struct ControlPresets {
    using Kind = ControlSettings::Kind;

    // The piano's keys end at octave 10.
    static constexpr int octaveLimit = 10;

    QString name;
    QColor color;
    int value = 0;
    Kind kind = Kind::Ctrl;
    int channel = 0;
    // Index in the behaviour menu of the control's type.
    int type = 0;
    QString oscAddress;
    double scaleFrom = 0;
    double scaleTo = 127;
    int startOctave = 4;
    int octaves = 2;

    static ControlPresets read(const QVariantMap &stored, const EditedControl &control);
};
