#include "ControlEditorRules.h"

#include "model/ControlColors.h"

#include <limits>

namespace {

using Kind = ControlSettings::Kind;
using Type = EditedControl::Type;
using KindForm = ControlEditorRules::KindForm;
using ScaleRange = ControlEditorRules::ScaleRange;

const ScaleRange sevenBit{0, 127, false};
const ScaleRange fourteenBit{0, 16383, false};
const ScaleRange oscRange{0, std::numeric_limits<float>::max(), true};
// The fields without a bound of their own still hold a record's number up to 14 bits.
constexpr int numberMaximum = 16383;

KindForm baseForm(Kind kind)
{
    KindForm form;
    form.valueMaximum = numberMaximum;
    switch (kind) {
    case Kind::Ctrl:
        form.valueMaximum = 127;
        form.scale = sevenBit;
        break;
    case Kind::Note:
        form.noteNames = true;
        form.valueMaximum = 127;
        form.scale = sevenBit;
        break;
    case Kind::Prgch:
        form.valueMaximum = 127;
        form.scaleFromEnabled = form.scaleToEnabled = form.behaviourShown = false;
        break;
    case Kind::Pbend:
        form.scale = fourteenBit;
        form.valueEnabled = false;
        break;
    case Kind::MMC:
        form.channelEnabled = form.valueEnabled = false;
        form.scaleFromEnabled = form.scaleToEnabled = form.behaviourShown = false;
        break;
    case Kind::Ctrl14:
        // The second controller of the pair is the number + 32, which must stay below 64.
        form.valueMaximum = 31;
        form.scale = fourteenBit;
        break;
    case Kind::Nrpn:
        form.scale = fourteenBit;
        break;
    case Kind::Osc:
        form.scale = oscRange;
        form.oscAddress = true;
        break;
    }
    return form;
}

} // namespace

QList<Kind> ControlEditorRules::offeredKinds(Type type, bool canSendMMC)
{
    switch (type) {
    case Type::Fader:
        return {Kind::Ctrl, Kind::Pbend, Kind::Ctrl14, Kind::Nrpn, Kind::Osc};
    case Type::Pad:
        return {Kind::Ctrl, Kind::Note, Kind::Prgch, Kind::Nrpn, Kind::Osc};
    case Type::Transport:
        if (canSendMMC)
            return {Kind::Ctrl, Kind::Note, Kind::MMC, Kind::Osc};
        return {Kind::Ctrl, Kind::Note, Kind::Osc};
    case Type::Piano:
        return {Kind::Note, Kind::Osc};
    case Type::Group:
        break;
    }
    return {};
}

ControlEditorRules::KindForm ControlEditorRules::kindForm(Type type, Kind kind)
{
    KindForm form = baseForm(kind);
    if (type == Type::Transport) {
        // Transport buttons send fixed values, so their scale is never edited.
        form.scaleFromEnabled = false;
        form.scaleToEnabled = false;
        form.behaviourShown = false;
    } else if (type == Type::Piano && kind == Kind::Note) {
        form.noteNames = false;
        form.valueEnabled = false;
    }
    return form;
}

QStringList ControlEditorRules::behaviourTitles(Type type)
{
    switch (type) {
    case Type::Fader:
        return {QStringLiteral("Volume"), QStringLiteral("Pan"), QStringLiteral("Pitchbend")};
    case Type::Pad:
        return {QStringLiteral("Momentary"), QStringLiteral("Toggle"), QStringLiteral("Push Button")};
    case Type::Piano:
        return {QStringLiteral("Glissando"), QStringLiteral("No Glissando"), QStringLiteral("Pitchbend")};
    case Type::Transport:
    case Type::Group:
        break;
    }
    return {};
}

QStringList ControlEditorRules::behaviourStrings(Type type)
{
    switch (type) {
    case Type::Fader:
        return {QStringLiteral("volume"), QStringLiteral("pan"), QStringLiteral("pitchbend")};
    case Type::Pad:
        return {QStringLiteral("momentary"), QStringLiteral("toggle"), QStringLiteral("push")};
    case Type::Piano:
        return {QStringLiteral("glissando"), QStringLiteral("noglissando"), QStringLiteral("pitchbend")};
    case Type::Transport:
    case Type::Group:
        break;
    }
    return {};
}

std::optional<int> ControlEditorRules::behaviourIndex(Type type, const QString &typeString)
{
    const qsizetype index = behaviourStrings(type).indexOf(typeString);
    if (index < 0)
        return std::nullopt;
    return int(index);
}

double ControlEditorRules::defaultScaleTo(Kind kind)
{
    return ControlSettings({{QStringLiteral("kind"), ControlSettings::kindString(kind)}}).scaleTo();
}

std::optional<QColor> ControlEditorRules::defaultColor(const EditedControl &control)
{
    switch (control.type()) {
    case Type::Fader:
        return ControlColors::fader();
    case Type::Pad:
        return ControlColors::pad(control.groupName());
    case Type::Transport:
        return ControlColors::transport();
    case Type::Group:
        // The colour the group's button shows, so that applying a new label keeps its look.
        return ControlColors::groupButton(control.groupName());
    case Type::Piano:
        break;
    }
    return std::nullopt;
}
