#include "TouchBar.h"

#include "TouchBarArrangements.h"
#include "TouchBarDelegate.h"
#include "TouchBarItem.h"
#include "model/ControlCatalog.h"

TouchBar::TouchBar(TouchBarDelegate *delegate, TouchBarArrangements *arrangements, QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
    , m_arrangements(arrangements)
{
}

TouchBar::~TouchBar() = default;

void TouchBar::setCustomizationIdentifier(const QString &identifier)
{
    m_customizationIdentifier = identifier;
    Q_EMIT contentChanged();
}

void TouchBar::setDefaultItemIdentifiers(const QStringList &identifiers)
{
    m_defaultItemIdentifiers = identifiers;
    Q_EMIT contentChanged();
}

void TouchBar::setCustomizationAllowedItemIdentifiers(const QStringList &identifiers)
{
    m_allowedItemIdentifiers = identifiers;
}

QStringList TouchBar::itemIdentifiers() const
{
    if (m_arrangements && !m_customizationIdentifier.isEmpty()) {
        if (auto stored = m_arrangements->currentItems(m_customizationIdentifier))
            return *stored;
    }
    return m_defaultItemIdentifiers;
}

bool TouchBar::storeArrangement(const QStringList &identifiers)
{
    if (!m_arrangements || m_customizationIdentifier.isEmpty())
        return false;
    const bool stored = m_arrangements->setCurrentItems(m_customizationIdentifier, identifiers);
    Q_EMIT contentChanged();
    return stored;
}

std::shared_ptr<TouchBarItem> TouchBar::itemForIdentifier(const QString &identifier)
{
    if (identifier == ControlCatalog::flexibleSpaceIdentifier())
        return nullptr;
    if (auto cached = m_itemCache.value(identifier))
        return cached;
    if (!m_delegate)
        return nullptr;
    auto item = m_delegate->makeItemForIdentifier(*this, identifier);
    if (item)
        m_itemCache.insert(identifier, item);
    return item;
}

void TouchBar::dropCachedItems()
{
    m_itemCache.clear();
}
