#pragma once

#include <QStringList>

#include <optional>

class UserDefaults;

// The arrangements the user made in the customization palette, kept in the preferences under
// "NSTouchBarConfig: <customization identifier>" as {"CurrentItems": [identifiers]}, the form
// the settings file carries too.
class TouchBarArrangements {
public:
    explicit TouchBarArrangements(UserDefaults &defaults);

    // None when nothing usable is stored; a stored empty list is an arrangement of its own.
    std::optional<QStringList> currentItems(const QString &customizationIdentifier) const;
    bool setCurrentItems(const QString &customizationIdentifier, const QStringList &items);

private:
    UserDefaults &m_defaults;
};
