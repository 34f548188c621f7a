#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into an orderly QCoreApplication::quit(), so that everything the
// application does on quitting still runs. The handler only writes to a socket pair, the one
// thing that is safe inside a signal handler; the main loop reads it.
class UnixSignalQuitter : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalQuitter(QObject *parent = nullptr);
    ~UnixSignalQuitter() override;

private:
    static void handleSignal(int signal);

    QSocketNotifier *m_notifier = nullptr;
};
