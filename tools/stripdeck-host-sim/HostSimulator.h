#pragma once

#include "HostScript.h"

#include "midi/MessageDestination.h"
#include "midi/PortInputStream.h"
#include "midi/PortOutputStream.h"

#include <QObject>
#include <QTextStream>
#include <QTimer>

#include <functional>

// Plays a host application against Stripdeck's surface pair: waits until endpoints named
// target appear (the port's own name, or its device's: ALSA lists "Stripdeck Surface" as a
// port of "Stripdeck", JACK as the client "Stripdeck Surface"), connects to both, runs the
// script, and prints what Stripdeck sends back, decoded, one line each, until it is done.
class HostSimulator : public QObject, public midi::MessageDestination {
    Q_OBJECT
public:
    struct Options {
        QString target = QStringLiteral("Stripdeck Surface");
        int connectTimeoutMs = 10000;
        // How long to keep printing after the script; negative: until interrupted.
        int listenMs = 0;
        // Names one message Stripdeck sends; the native protocol's decoder when empty.
        std::function<QString(const QByteArray &)> describe;
    };

    HostSimulator(QList<HostScript::Step> steps, Options options, QTextStream &out, QTextStream &err);

    void start();
    void takeMIDIMessages(const midi::MessageList &messages) override;

Q_SIGNALS:
    void finished(int exitCode);

private:
    bool tryConnect();
    void runNextStep();

    QList<HostScript::Step> m_steps;
    Options m_options;
    QTextStream &m_out;
    QTextStream &m_err;
    midi::PortOutputStream m_output;
    midi::PortInputStream m_input;
    QTimer m_connectTimeout;
    bool m_connected = false;
};
