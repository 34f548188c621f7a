#pragma once

#include "ControlSettings.h"

#include <QString>
#include <QVariantMap>

class UserDefaults;

// Reads and writes the records of the control maps in the store. The map in use follows
// the current user touch bar number; before any touch bar was chosen (a number below 0)
// it is the default map.
class ControlMaps {
public:
    explicit ControlMaps(UserDefaults &store);

    static QString storeKey(int userTouchbarNumber);
    QVariantMap controlMap(int userTouchbarNumber) const;

    // Inside an open group popover the record comes from the group's record; a missing map,
    // group or record reads as an empty record.
    ControlSettings record(int userTouchbarNumber, const QString &openGroup,
                           const QString &controlName) const;
    QString groupLabel(int userTouchbarNumber, const QString &groupName) const;
    std::optional<QColor> groupColor(int userTouchbarNumber, const QString &groupName) const;

    // Replaces one record (inside its group when a group is given) and writes the whole map.
    bool writeRecord(int userTouchbarNumber, const QString &group, const QString &controlName,
                     const QVariantMap &record);

private:
    UserDefaults &m_store;
};
