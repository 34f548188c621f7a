#include "JackWaker.h"

#include <QSocketNotifier>

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

JackWaker::JackWaker()
    : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &JackWaker::onActivated);
}

JackWaker::~JackWaker()
{
    delete m_notifier;
    if (m_fd >= 0)
        close(m_fd);
}

void JackWaker::wake() noexcept
{
    if (m_pending.exchange(true, std::memory_order_acq_rel))
        return;
    const std::uint64_t one = 1;
    // A full counter (never reached: the main thread reads it) would only fold wakes.
    [[maybe_unused]] const auto written = write(m_fd, &one, sizeof one);
}

void JackWaker::markSetupChanged() noexcept
{
    m_setupChanged.store(true, std::memory_order_release);
    wake();
}

// The pending flag is cleared before the work is done, so anything that arrives while the
// main thread works wakes it again.
void JackWaker::onActivated()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const auto got = ::read(m_fd, &count, sizeof count);
    m_pending.store(false, std::memory_order_release);
    Q_EMIT woken(m_setupChanged.exchange(false, std::memory_order_acq_rel));
}
