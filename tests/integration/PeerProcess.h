#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// A peer program whose standard output the test reads as it comes: jack_midi_dump, oscdump, the
// host simulator. Everything printed so far stays in output() until clear().
class PeerProcess {
public:
    PeerProcess() = default;
    ~PeerProcess();
    PeerProcess(const PeerProcess &) = delete;
    PeerProcess &operator=(const PeerProcess &) = delete;

    bool start(const QString &program, const QStringList &arguments);
    void stop();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

    QString output();
    void clear();
    // Waits until the output satisfies the condition; false when the deadline passed first.
    bool waitForOutput(const std::function<bool(const QString &)> &condition, int milliseconds = 5000);
    bool waitForText(const QString &text, int milliseconds = 5000);

private:
    QProcess m_process;
    QString m_output;
};
