#pragma once

#include <QObject>
#include <QVariant>

// A shared value cell: every control that shows the value of one MIDI or OSC address is
// bound to the same cell and follows its changes. The listener tables own the cells.
class controlStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
public:
    explicit controlStore(QObject *parent = nullptr);

    QVariant value() const { return m_value; }
    void setValue(const QVariant &value);

Q_SIGNALS:
    void valueChanged(const QVariant &value);

private:
    QVariant m_value;
};
