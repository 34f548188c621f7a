#pragma once

#include "ControlIcons.h"

#include "model/ControlSettings.h"
#include "platform/touchbar/TouchBarDelegate.h"

#include <QHash>

#include <functional>

class ControlActions;
class ControlHost;
class ControlMaps;
class padButton;

namespace midi {
class ListenerTables;
}

// Makes every item of the user touch bars and their groups from the control's record in the
// map of the current touch bar (or of the open group), wired to its action.
class ItemFactory : public TouchBarDelegate {
public:
    // Makes the item of one identifier from its record; for the views whose models live
    // elsewhere (eight-fader bank, channel strip).
    using Maker = std::function<std::shared_ptr<TouchBarItem>(const QString &identifier,
                                                              const ControlSettings &record)>;

    // None is owned; all must outlive the factory.
    ItemFactory(ControlActions &actions, ControlMaps &maps, midi::ListenerTables &listeners,
                ControlHost &host);

    // Identifiers with a maker set are made by it alone; an empty maker removes it.
    void setMaker(const QString &identifier, Maker maker);

    std::shared_ptr<TouchBarItem> makeItemForIdentifier(TouchBar &bar, const QString &identifier) override;

    std::shared_ptr<TouchBarItem> makePadButton(const QString &identifier, const QString &title,
                                                const QString &customizationLabel, int tag);
    std::shared_ptr<TouchBarItem> makeESCPadButton(const QString &identifier, const QString &title,
                                                   const QString &customizationLabel, int tag);
    std::shared_ptr<TouchBarItem> makeCloseButton(const QString &identifier);
    std::shared_ptr<TouchBarItem> makePopoverButton(const QString &identifier, const QString &title,
                                                    const QString &customizationLabel, int tag);
    std::shared_ptr<TouchBarItem> makePopoverButton(const QString &identifier, ControlIcons::Icon image,
                                                    const QString &customizationLabel, int tag);
    std::shared_ptr<TouchBarItem> makeTransportButton(const QString &identifier, ControlIcons::Icon image,
                                                      const QString &customizationLabel, int tag);

private:
    ControlSettings recordFor(const QString &controlName) const;
    std::shared_ptr<TouchBarItem> makeFader(const QString &identifier, const ControlSettings &record);
    std::shared_ptr<TouchBarItem> makePad(const QString &identifier, int number,
                                          const ControlSettings &record);
    std::shared_ptr<TouchBarItem> makeGroupButton(const QString &identifier, const QString &groupName);
    std::shared_ptr<TouchBarItem> makeTransport(const QString &identifier, const QString &controlName,
                                                const ControlSettings &record);
    std::shared_ptr<TouchBarItem> makePiano(const QString &identifier, const ControlSettings &record);
    std::shared_ptr<TouchBarItem> makeLabel(const QString &identifier);
    static std::shared_ptr<TouchBarItem> buttonItem(const QString &identifier, padButton *button,
                                                    const QString &customizationLabel);
    void copyAddress(padButton &button, const ControlSettings &record) const;

    ControlActions &m_actions;
    ControlMaps &m_maps;
    midi::ListenerTables &m_listeners;
    ControlHost &m_host;
    QHash<QString, Maker> m_makers;
};
