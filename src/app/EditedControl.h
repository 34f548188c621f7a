#pragma once

#include "controls/ControlIcons.h"
#include "model/ControlSettings.h"

#include <QString>
#include <QVariantMap>

#include <optional>

class ControlMaps;
class QObject;

// What the editor needs to know of a touched control, taken at the moment of the touch: the
// strip is rebuilt after every apply, so the control itself may be gone when it is edited.
class EditedControl {
public:
    enum class Type { Fader = 0, Pad = 1, Transport = 2, Group = 3, Piano = 4 };

    // Null when the object is no control of the user touch bars.
    static std::optional<EditedControl> from(const QObject *control, int touchBarNumber);

    Type type() const { return m_type; }
    int touchBarNumber() const { return m_touchBarNumber; }
    // Full identifiers; empty when the control has none of that sort.
    QString controlIdentifier() const { return m_controlIdentifier; }
    QString groupIdentifier() const { return m_groupIdentifier; }
    // The keys of the control map: the control's record lies under controlName(), inside
    // groupName()'s record when both are set; a group's own record lies under groupName().
    QString controlName() const;
    QString groupName() const;
    bool isTransportGroup() const;
    bool canSendMMC() const { return m_canSendMMC; }
    std::optional<ControlIcons::Icon> image() const { return m_image; }
    // The kind the control was made with; what it sends while its record names none.
    ControlSettings::Kind kind() const { return m_kind; }
    ControlSettings::Family family() const;

    // The control's record as stored now: a member's inside its group's record, a group's own
    // record under the group's name; empty when none is stored.
    QVariantMap storedRecord(const ControlMaps &maps) const;
    // Writes the record where storedRecord() reads it; false when the store cannot be written.
    bool storeRecord(ControlMaps &maps, const QVariantMap &record) const;

private:
    Type m_type = Type::Pad;
    int m_touchBarNumber = 0;
    QString m_controlIdentifier;
    QString m_groupIdentifier;
    bool m_canSendMMC = false;
    std::optional<ControlIcons::Icon> m_image;
    ControlSettings::Kind m_kind = ControlSettings::Kind::Ctrl;
};
