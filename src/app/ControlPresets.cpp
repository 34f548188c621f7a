#include "ControlPresets.h"

#include "ControlEditorRules.h"

#include <algorithm>

ControlPresets ControlPresets::read(const QVariantMap &stored, const EditedControl &control)
{
    const ControlSettings record(stored);
    const EditedControl::Type type = control.type();
    ControlPresets presets;
    // Without a kind string of the table the control sends what it was made with.
    const QString kindString = stored.value(QStringLiteral("kind")).toString();
    const bool knownKind =
        ControlSettings::kindString(ControlSettings::kindFromString(kindString)) == kindString;
    presets.kind = knownKind ? record.kind() : control.kind();
    // Transport buttons and the piano show no label of their own.
    const bool labelled = type != EditedControl::Type::Transport && type != EditedControl::Type::Piano;
    presets.name = labelled ? record.label() : QStringLiteral("none");
    presets.value = record.value();
    presets.channel = record.channel();
    presets.oscAddress = record.oscAddress().value_or(QStringLiteral("/"));
    presets.scaleFrom = record.scaleFrom();
    presets.scaleTo = stored.contains(QStringLiteral("scaleTo")) ? record.scaleTo()
                                                                 : ControlEditorRules::defaultScaleTo(presets.kind);
    const QVariant typeString = stored.value(QStringLiteral("type"));
    const int fallback = control.family() == ControlSettings::Family::Pad ? 1 : 0;
    presets.type = typeString.isValid()
                       ? ControlSettings::behaviourFromString(control.family(), typeString.toString())
                       : fallback;
    presets.octaves = std::clamp(record.octaves(), 1, octaveLimit);
    presets.startOctave = std::clamp(record.startOctave(), 0, octaveLimit - presets.octaves);
    presets.color = record.color().value_or(ControlEditorRules::defaultColor(control).value_or(QColor()));
    return presets;
}
