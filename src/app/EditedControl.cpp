#include "EditedControl.h"

#include "controls/midiSlider.h"
#include "controls/padButton.h"
#include "controls/pianoView.h"
#include "controls/popUpButton.h"
#include "controls/receiveValueSlider.h"
#include "model/ControlCatalog.h"
#include "model/ControlMaps.h"

namespace {

ControlSettings::Kind kindOf(int code)
{
    return code >= 0 && code <= int(ControlSettings::Kind::Osc) ? ControlSettings::Kind(code)
                                                                : ControlSettings::Kind::Ctrl;
}

} // namespace

std::optional<EditedControl> EditedControl::from(const QObject *control, int touchBarNumber)
{
    EditedControl edited;
    edited.m_touchBarNumber = touchBarNumber;
    // A fader reports its slider; the record belongs to the slider's item.
    if (const auto *slider = qobject_cast<const receiveValueSlider *>(control)) {
        const midiSlider *item = slider->owner();
        if (!item)
            return std::nullopt;
        edited.m_type = Type::Fader;
        edited.m_controlIdentifier = item->identifier();
        edited.m_groupIdentifier = item->groupIdentifier();
        edited.m_kind = kindOf(item->kind());
        return edited;
    }
    if (const auto *piano = qobject_cast<const pianoView *>(control)) {
        edited.m_type = Type::Piano;
        edited.m_controlIdentifier = ControlCatalog::identifier(QStringLiteral("piano"));
        edited.m_kind = kindOf(piano->kind());
        return edited;
    }
    const auto *button = qobject_cast<const padButton *>(control);
    if (!button)
        return std::nullopt;
    edited.m_image = button->icon();
    if (qobject_cast<const popUpButton *>(control)) {
        edited.m_type = Type::Group;
        edited.m_groupIdentifier = button->identifier();
        return edited;
    }
    edited.m_type = button->icon() ? Type::Transport : Type::Pad;
    edited.m_controlIdentifier = button->identifier();
    edited.m_groupIdentifier = button->groupIdentifier();
    edited.m_canSendMMC = button->canSendMMC();
    edited.m_kind = kindOf(button->kind());
    return edited;
}

QString EditedControl::controlName() const
{
    return m_controlIdentifier.isEmpty() ? QString() : ControlCatalog::controlName(m_controlIdentifier);
}

QString EditedControl::groupName() const
{
    return m_groupIdentifier.isEmpty() ? QString() : ControlCatalog::controlName(m_groupIdentifier);
}

bool EditedControl::isTransportGroup() const
{
    return m_type == Type::Group &&
           m_groupIdentifier == ControlCatalog::identifier(QStringLiteral("transport-group"));
}

ControlSettings::Family EditedControl::family() const
{
    switch (m_type) {
    case Type::Fader:
        return ControlSettings::Family::Fader;
    case Type::Transport:
        return ControlSettings::Family::Transport;
    case Type::Piano:
        return ControlSettings::Family::Piano;
    default:
        return ControlSettings::Family::Pad;
    }
}

QVariantMap EditedControl::storedRecord(const ControlMaps &maps) const
{
    QVariantMap scope = maps.controlMap(m_touchBarNumber);
    const QString control = controlName();
    const QString group = groupName();
    if (!group.isEmpty() && !control.isEmpty())
        scope = scope.value(group).toMap();
    return scope.value(control.isEmpty() ? group : control).toMap();
}

bool EditedControl::storeRecord(ControlMaps &maps, const QVariantMap &record) const
{
    const QString control = controlName();
    if (control.isEmpty())
        return maps.writeRecord(m_touchBarNumber, {}, groupName(), record);
    return maps.writeRecord(m_touchBarNumber, groupName(), control, record);
}
