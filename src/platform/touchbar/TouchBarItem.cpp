#include "TouchBarItem.h"

#include <QThread>

namespace {

// A view may be what dropped its item: a close button's action closes the popover it sits in,
// a group button's opens another, and both rebuild the strip while the button still handles
// the touch. Deleting the view then would pull it from under its own event handler, so while
// an event loop runs it goes once control returns there; without one no event can be under way.
void dispose(QWidget *view)
{
    if (!view)
        return;
    if (QThread::currentThread()->loopLevel() == 0) {
        delete view;
        return;
    }
    view->hide();
    view->deleteLater();
}

} // namespace

TouchBarItem::TouchBarItem(QString identifier)
    : m_identifier(std::move(identifier))
{
}

TouchBarItem::~TouchBarItem()
{
    dispose(m_view);
}

void TouchBarItem::setView(QWidget *view)
{
    if (m_view == view)
        return;
    dispose(m_view);
    m_view = view;
}

void TouchBarItem::setSizing(Sizing sizing, qreal width)
{
    m_sizing = sizing;
    m_width = width;
}
