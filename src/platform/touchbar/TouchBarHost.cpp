#include "TouchBarHost.h"

#include "TouchBar.h"

void TouchBarHost::setContent(TouchBar *bar, const QString &customizationIdentifier,
                              const QStringList &itemIdentifiers)
{
    // Both changes land before anything is laid out, so no item is made for a mix of the two.
    QSignalBlocker blocker(bar);
    bar->setCustomizationIdentifier(customizationIdentifier);
    bar->setDefaultItemIdentifiers(itemIdentifiers);
    blocker.unblock();
    Q_EMIT bar->contentChanged();
}

void TouchBarHost::dropCachedItems(TouchBar *bar)
{
    bar->dropCachedItems();
}

QList<TouchBarHost::Slot> TouchBarHost::itemsOf(TouchBar &bar)
{
    QList<Slot> entries;
    for (const QString &identifier : bar.itemIdentifiers())
        entries.append(Slot{identifier, bar.itemForIdentifier(identifier)});
    return entries;
}
