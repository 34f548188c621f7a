#pragma once

#include <QString>
#include <QStringList>

// The identifiers of every touch bar item, the control names derived from them, the
// identifier lists of the touch bars and groups, and the store keys formed from them.
class ControlCatalog {
public:
    static constexpr int userTouchBarCount = 9;

    static QString identifier(const QString &controlName); // "xq.korvane.stripdeck." + name
    static QString controlName(const QString &identifier); // last "."-separated part
    static QString storeKey(const QString &identifier);    // "." written as "·"

    static QString customizationIdentifier(int userTouchBar);
    // Numbers below 1 stand for touch bar 0.
    static QString controlMapKey(int userTouchBar);
    static QString customizationKey(int userTouchBar);
    static QString customizationKey(const QString &customizationIdentifier);
    static QString defaultControlMapKey();

    static QStringList userTouchBarDefaultItems(int userTouchBar);
    static QStringList allowedItems();
    static QStringList fourSliderItems();
    static QStringList twoSliderItems();
    static QStringList threeSlider1ButtonItems();
    static QStringList eightPadGroupItems();
    static QStringList transportGroupItems();

    // Every control name that can carry a record at the top level of a control map, and the
    // groups with their member names.
    static QStringList topLevelControlNames();
    static QStringList groupNames();
    static QStringList groupMemberNames(const QString &groupName);

    static QString flexibleSpaceIdentifier();
    static QString eightFaderViewIdentifier();
    static QString controlStripViewIdentifier();
};
