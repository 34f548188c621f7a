#pragma once

#include "platform/touchbar/TouchBarDelegate.h"
#include "platform/touchbar/TouchBarItem.h"
#include "platform/touchbar/TouchView.h"

#include <QStringList>

// Stands in for the item factory: one plain view per identifier, sized the way the real
// controls are, and a log of what was asked for.
class PlaceholderItemFactory : public TouchBarDelegate {
public:
    // Identifiers listed here get no item, like those the real factory does not know.
    QStringList unknown;
    QStringList made;

    static void size(TouchBarItem &item)
    {
        const QString id = item.identifier();
        if (id.endsWith(QLatin1String("-view")))
            item.setSizing(TouchBarItem::Sizing::Fill, 0.0);
        else if (id.section(QLatin1Char('.'), -1).startsWith(QLatin1String("slider")))
            item.setSizing(TouchBarItem::Sizing::AtLeast, 100.0);
        else if (id.endsWith(QLatin1String(".piano")))
            item.setSizing(TouchBarItem::Sizing::AtLeast, 400.0);
        else if (id.endsWith(QLatin1String(".esc")))
            item.setSizing(TouchBarItem::Sizing::Fixed, 64.0);
    }

    std::shared_ptr<TouchBarItem> makeItemForIdentifier(TouchBar &, const QString &identifier) override
    {
        made.append(identifier);
        if (unknown.contains(identifier))
            return nullptr;
        auto item = std::make_shared<TouchBarItem>(identifier);
        item->setCustomizationLabel(QStringLiteral("Label of ") + identifier.section(QLatin1Char('.'), -1));
        item->setView(new TouchView);
        size(*item);
        return item;
    }
};
