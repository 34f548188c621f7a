#include "controlStore.h"

controlStore::controlStore(QObject *parent)
    : QObject(parent)
    , m_value(0)
{
}

// Every write notifies, even of an equal value: a bound control may have moved on its own
// since, and the write is what brings it back in line.
void controlStore::setValue(const QVariant &value)
{
    m_value = value;
    Q_EMIT valueChanged(m_value);
}
