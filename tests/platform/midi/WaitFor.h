#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

// Runs the main loop until the condition holds or the time is up; answers the condition.
// The bound only keeps a broken test from hanging; nothing is timed.
template <typename Condition> bool waitFor(Condition condition, int milliseconds = 5000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// A JACK server without real-time priority on a busy machine (as in the tests) lets clients
// overrun their period, and JACK drops the MIDI in flight then. An exchange that checks
// exact bytes is therefore tried up to three times; bytes that come out wrong never match,
// so a fault of the program still fails.
template <typename Attempt> bool withRetries(Attempt attempt)
{
    for (int i = 0; i < 3; ++i) {
        if (attempt())
            return true;
    }
    return false;
}
