#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class TouchBar;
class TouchBarItem;

// What the logic needs of whatever shows touch bars: system-modal presentation over every
// window, content replacement, the item cache, and the customization palette.
class TouchBarHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The bar is not owned and must stay alive while presented.
    virtual void present(TouchBar *bar) = 0;
    virtual void minimize(TouchBar *bar) = 0;
    // Opens the palette for the bar, or closes it when it is open.
    virtual void toggleCustomizationPalette(TouchBar *bar) = 0;

    void setContent(TouchBar *bar, const QString &customizationIdentifier,
                    const QStringList &itemIdentifiers);
    // The next layout asks the bar's delegate for every item again.
    void dropCachedItems(TouchBar *bar);

    // One place of a presented bar: a flexible space and an identifier nobody made an item for
    // both have no item.
    struct Slot {
        QString identifier;
        std::shared_ptr<TouchBarItem> item;
    };
    static QList<Slot> itemsOf(TouchBar &bar);

Q_SIGNALS:
    // The palette closed, whether its arrangement was stored or not.
    void didExitCustomization();
};
