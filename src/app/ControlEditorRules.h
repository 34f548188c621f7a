#pragma once

#include "EditedControl.h"
#include "model/ControlSettings.h"

#include <QColor>
#include <QList>
#include <QStringList>

#include <optional>

// Which fields the control settings editor offers for a type of control and a kind of
// message, with their bounds, and the values it shows where a record holds none.
class ControlEditorRules {
public:
    using Kind = ControlSettings::Kind;
    using Type = EditedControl::Type;

    struct ScaleRange {
        double minimum = 0;
        double maximum = 127;
        bool fractions = false;
    };

    struct KindForm {
        bool noteNames = false;
        // The value field's bound; unset keeps the field's current bound.
        std::optional<int> valueMaximum;
        // Unset keeps the scale fields' range and values.
        std::optional<ScaleRange> scale;
        bool oscAddress = false;
        bool channelEnabled = true;
        bool valueEnabled = true;
        bool scaleFromEnabled = true;
        bool scaleToEnabled = true;
        bool behaviourShown = true;
    };

    // In the order the kind menu lists them. Groups offer none.
    static QList<Kind> offeredKinds(Type type, bool canSendMMC);
    static KindForm kindForm(Type type, Kind kind);

    // Titles of the behaviour menu and the "type" string of each index; empty for types
    // without behaviours.
    static QStringList behaviourTitles(Type type);
    static QStringList behaviourStrings(Type type);
    // Index of a stored "type" string, or none for a string outside the table.
    static std::optional<int> behaviourIndex(Type type, const QString &typeString);

    static double defaultScaleTo(Kind kind);
    // The colour the control shows while its record holds none; none for the piano.
    static std::optional<QColor> defaultColor(const EditedControl &control);
};
