#include "TouchBarItem.h"

TouchBarItem::TouchBarItem(QString identifier)
    : m_identifier(std::move(identifier)) {}

TouchBarItem::~TouchBarItem() {
    delete m_view;
}

void TouchBarItem::setView(QWidget *view) {
    if (m_view == view)
        return;
    delete m_view;
    m_view = view;
}

void TouchBarItem::setSizing(Sizing sizing, qreal width) {
    m_sizing = sizing;
    m_width = width;
}
