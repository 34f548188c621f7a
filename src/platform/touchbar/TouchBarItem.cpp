#include "TouchBarItem.h"

TouchBarItem::TouchBarItem(QString identifier)
    : m_identifier(std::move(identifier))
{
}

namespace {

// A touch that opens or closes a popover rebuilds the strip from inside the touched view's own
// event handler; the view must outlive that handler.
void retire(QWidget *view)
{
    if (!view)
        return;
    view->hide();
    view->deleteLater();
}

} // namespace

TouchBarItem::~TouchBarItem()
{
    retire(m_view);
}

void TouchBarItem::setView(QWidget *view)
{
    if (m_view == view)
        return;
    retire(m_view);
    m_view = view;
}

void TouchBarItem::setSizing(Sizing sizing, qreal width)
{
    m_sizing = sizing;
    m_width = width;
}
