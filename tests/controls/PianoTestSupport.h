#pragma once

#include "controls/pianoKeysItemDelegate.h"

#include <QApplication>
#include <QPointingDevice>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <QTouchEvent>

// Writes every call as one line, so a sequence of calls compares as a list of strings.
class RecordingPianoDelegate : public pianoKeysItemDelegate {
public:
    QStringList calls;
    int touchedCount = 0;

    void sendNoteOn(int note, int velocity, int channel) override
    {
        calls.append(QStringLiteral("note %1 %2 ch%3").arg(note).arg(velocity).arg(channel));
    }
    void sendPitchBend(quint16 value, int channel) override
    {
        calls.append(QStringLiteral("bend %1 ch%2").arg(value).arg(channel));
    }
    void sendOSCMessageWithAddressPattern(const QString &address, const QVariantList &) override
    {
        calls.append(QStringLiteral("osc ") + address);
    }
    void pianoTouched(pianoView *) override { ++touchedCount; }

    QStringList take() { return std::exchange(calls, {}); }
};

// Fingers on a touchscreen: each event repeats the fingers that stay down as stationary, as a
// real screen does.
class Hand {
public:
    explicit Hand(QWidget *target, QInputDevice::DeviceType type = QInputDevice::DeviceType::TouchScreen)
        : m_target(target)
        , m_device(QTest::createTouchDevice(type))
    {
    }

    void press(int id, QPointF point) { send(id, point, Pressed); }
    void move(int id, QPointF point) { send(id, point, Moved); }
    void release(int id, QPointF point) { send(id, point, Released); }
    // As Qt cancels a sequence: the event names no points and ends them all.
    void cancel()
    {
        QTouchEvent event(QEvent::TouchCancel, m_device);
        QApplication::sendEvent(m_target, &event);
        m_down.clear();
    }

private:
    enum Phase { Pressed, Moved, Released };

    void send(int id, QPointF point, Phase phase)
    {
        auto sequence = QTest::touchEvent(m_target, m_device);
        for (int other : std::as_const(m_down)) {
            if (other != id)
                sequence.stationary(other);
        }
        const QPoint at = point.toPoint();
        if (phase == Pressed) {
            sequence.press(id, at);
            m_down.insert(id);
        } else if (phase == Moved) {
            sequence.move(id, at);
        } else {
            sequence.release(id, at);
            m_down.remove(id);
        }
        sequence.commit();
    }

    QWidget *m_target;
    QPointingDevice *m_device;
    QSet<int> m_down;
};

// Readable failure messages for the recorded calls.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
