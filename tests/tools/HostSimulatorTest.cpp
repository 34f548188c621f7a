#include "../platform/midi/WaitFor.h"
#include "JackBackend.h"

#include "midi/Client.h"
#include "midi/VirtualInputStream.h"
#include "midi/VirtualOutputStream.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Recorder : midi::MessageDestination {
    void takeMIDIMessages(const midi::MessageList &list) override { messages.append(list); }
    QList<QByteArray> bytes() const
    {
        QList<QByteArray> all;
        for (const auto &message : messages)
            all.append(message.bytes());
        return all;
    }
    midi::MessageList messages;
};

// The simulator program against the surface pair as Stripdeck publishes it on JACK: the
// script's messages arrive on "Stripdeck Surface", and what the surface output sends comes
// back decoded on the simulator's standard output.
TEST(HostSimulator, PlaysTheHostAgainstTheSurfacePair)
{
    QString error;
    auto backend = JackBackend::open(QStringLiteral("Stripdeck Port"), &error);
    if (!backend)
        GTEST_SKIP() << "no JACK server (run under scripts/with-test-services): " << error.toStdString();
    midi::Client::installBackend(std::move(backend));
    Recorder recorder;
    {
        midi::VirtualInputStream input;
        input.setVirtualEndpointName(QStringLiteral("Stripdeck Surface"));
        input.setMessageDestination(&recorder);
        input.setSelectedInputSources(input.inputSources());
        midi::VirtualOutputStream output(QStringLiteral("Stripdeck Surface"), 0);

        const QList<QByteArray> script{QByteArray::fromHex("f07d000321182e3718f7"),
                                       QByteArray::fromHex("eb7f3f"), QByteArray::fromHex("b01f07")};
        QProcess simulator;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("STRIPDECK_MIDI_BACKEND"), QStringLiteral("jack"));
        simulator.setProcessEnvironment(environment);
        // The simulator sends its script once; a run that lost some of it is run again.
        EXPECT_TRUE(withRetries([&] {
            simulator.kill();
            simulator.waitForFinished();
            recorder.messages.clear();
            simulator.start(
                QStringLiteral(STRIPDECK_HOST_SIM),
                {"-e", "device-name Bass", "-e", "fader 3 0.5", "-e", "bank 7", "--listen", "-1"});
            waitFor([&] { return recorder.messages.size() >= 3; }, 10000);
            return recorder.bytes() == script;
        })) << simulator.readAllStandardError().toStdString();
        for (const auto &message : recorder.messages)
            EXPECT_EQ(message.originatingEndpoint()->name(), QStringLiteral("Stripdeck Surface"));

        const QString replies =
            QStringLiteral("bank fader 0 touch 127\nbank fader 0 value 8192 (0.500)\nbank next 127\n");
        QString printed;
        EXPECT_TRUE(withRetries([&] {
            output.takeMIDIMessages({midi::Message(QByteArray::fromHex("b0327f")),
                                     midi::Message(QByteArray::fromHex("e80040")),
                                     midi::Message(QByteArray::fromHex("b00b7f"))});
            waitFor(
                [&] {
                    printed += QString::fromUtf8(simulator.readAllStandardOutput());
                    return printed.endsWith(replies);
                },
                2000);
            return printed.endsWith(replies);
        })) << printed.toStdString();
        simulator.terminate();
        EXPECT_TRUE(simulator.waitForFinished());
        EXPECT_EQ(simulator.exitCode(), 0);
    }
    midi::Client::installBackend(nullptr);
}

} // namespace
