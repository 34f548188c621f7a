#pragma once

#include "platform/touchbar/TouchBarDelegate.h"
#include "platform/touchbar/TouchBarItem.h"
#include "platform/touchbar/TouchView.h"

#include <QColor>
#include <QPainter>
#include <QStringList>

#include <vector>

// Stands in for the item factory: one solid-coloured view per identifier, sized the way the
// real controls are, so that layout, drawing and item lifetimes can be checked.
class PlaceholderItemFactory : public TouchBarDelegate {
public:
    class ColourView : public TouchView {
    public:
        explicit ColourView(QColor colour)
            : m_colour(colour)
        {
        }
        void draw(QPainter &painter) override
        {
            painter.fillRect(QRectF(QPointF(), sizeInPoints()), m_colour);
        }

    private:
        QColor m_colour;
    };

    // Identifiers listed here get no item, like those the real factory does not know.
    QStringList unknown;
    QStringList made;
    std::vector<std::weak_ptr<TouchBarItem>> items;

    // Distinct, saturated and far from black, so that a screenshot tells the items apart.
    static QColor colourFor(int index) { return QColor::fromHsv((index * 47) % 360, 255, 255); }

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
        item->setView(new ColourView(colourFor(int(items.size()))));
        size(*item);
        items.push_back(item);
        return item;
    }
};
