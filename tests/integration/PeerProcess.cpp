#include "PeerProcess.h"

#include <QDeadlineTimer>
#include <QThread>

PeerProcess::~PeerProcess()
{
    stop();
}

bool PeerProcess::start(const QString &program, const QStringList &arguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, arguments);
    return m_process.waitForStarted(10000);
}

void PeerProcess::stop()
{
    if (!isRunning())
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString PeerProcess::output()
{
    m_process.waitForReadyRead(0);
    m_output += QString::fromUtf8(m_process.readAllStandardOutput());
    return m_output;
}

void PeerProcess::clear()
{
    output();
    m_output.clear();
}

bool PeerProcess::waitForOutput(const std::function<bool(const QString &)> &condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition(output())) {
        if (deadline.hasExpired())
            return false;
        // A peer that has ended can no longer print; only the deadline ends the wait then.
        if (!m_process.waitForReadyRead(50))
            QThread::msleep(20);
    }
    return true;
}

bool PeerProcess::waitForText(const QString &text, int milliseconds)
{
    return waitForOutput([&text](const QString &out) { return out.contains(text); }, milliseconds);
}
