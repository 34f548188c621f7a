#pragma once

#include <QObject>

#include <atomic>

class QSocketNotifier;

// Wakes the main thread from JACK's threads without locks or allocation: an eventfd write,
// watched on the main thread by a socket notifier. Wakes that come while one is pending
// fold into it, so a busy real-time thread makes at most one system call per main-loop turn.
class JackWaker : public QObject {
    Q_OBJECT
public:
    JackWaker();
    ~JackWaker() override;

    bool isValid() const { return m_fd >= 0; }
    // Real-time safe.
    void wake() noexcept;
    // Safe from JACK's notification threads: the next wake also reports a setup change.
    void markSetupChanged() noexcept;

Q_SIGNALS:
    // On the main thread. setupChanged tells whether a setup change was marked since the
    // last signal.
    void woken(bool setupChanged);

private:
    void onActivated();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    std::atomic<bool> m_pending{false};
    std::atomic<bool> m_setupChanged{false};
};
