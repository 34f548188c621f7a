#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

#include <memory>

class TouchBarArrangements;
class TouchBarDelegate;
class TouchBarItem;

// A touch bar: the identifiers of its items, asked of its delegate and cached until the cache
// is dropped. With a customization identifier, the arrangement the user stored for it replaces
// the default items.
class TouchBar : public QObject {
    Q_OBJECT
public:
    // Neither the delegate nor the arrangements are owned; both must outlive the bar.
    explicit TouchBar(TouchBarDelegate *delegate = nullptr, TouchBarArrangements *arrangements = nullptr,
                      QObject *parent = nullptr);
    ~TouchBar() override;

    TouchBarDelegate *delegate() const { return m_delegate; }
    void setDelegate(TouchBarDelegate *delegate) { m_delegate = delegate; }

    QString customizationIdentifier() const { return m_customizationIdentifier; }
    void setCustomizationIdentifier(const QString &identifier);
    QStringList defaultItemIdentifiers() const { return m_defaultItemIdentifiers; }
    void setDefaultItemIdentifiers(const QStringList &identifiers);
    QStringList customizationAllowedItemIdentifiers() const { return m_allowedItemIdentifiers; }
    void setCustomizationAllowedItemIdentifiers(const QStringList &identifiers);

    // What the bar shows: the stored arrangement for its customization identifier, else its
    // default items.
    QStringList itemIdentifiers() const;
    // Stores the user's arrangement under the customization identifier; false when the bar
    // has none or the store could not be written.
    bool storeArrangement(const QStringList &identifiers);

    // The cached item, else the delegate's; null for a flexible space and for identifiers the
    // delegate makes nothing of (those are asked again next time).
    std::shared_ptr<TouchBarItem> itemForIdentifier(const QString &identifier);
    void dropCachedItems();
    bool hasCachedItems() const { return !m_itemCache.isEmpty(); }

Q_SIGNALS:
    void contentChanged();

private:
    TouchBarDelegate *m_delegate;
    TouchBarArrangements *m_arrangements;
    QString m_customizationIdentifier;
    QStringList m_defaultItemIdentifiers;
    QStringList m_allowedItemIdentifiers;
    QHash<QString, std::shared_ptr<TouchBarItem>> m_itemCache;
};
