#include "HostSimulator.h"

#include "SurfaceReplyDecoder.h"

#include "midi/Client.h"

namespace {

template <typename Endpoint>
std::shared_ptr<Endpoint> named(const QList<std::shared_ptr<Endpoint>> &endpoints, const QString &target)
{
    for (const auto &endpoint : endpoints) {
        if (endpoint->name() == target || (endpoint->device() && endpoint->device()->name() == target))
            return endpoint;
    }
    return nullptr;
}

} // namespace

HostSimulator::HostSimulator(QList<HostScript::Step> steps, Options options, QTextStream &out,
                             QTextStream &err)
    : m_steps(std::move(steps))
    , m_options(std::move(options))
    , m_out(out)
    , m_err(err)
{
    m_input.setMessageDestination(this);
    m_connectTimeout.setSingleShot(true);
    connect(&m_connectTimeout, &QTimer::timeout, this, [this] {
        m_err << "stripdeck-host-sim: no source and destination named \"" << m_options.target
              << "\" appeared\n";
        m_err.flush();
        Q_EMIT finished(2);
    });
}

void HostSimulator::start()
{
    if (tryConnect())
        return;
    connect(midi::Client::sharedClient(), &midi::Client::setupChanged, this, [this] { tryConnect(); });
    m_connectTimeout.start(m_options.connectTimeoutMs);
}

bool HostSimulator::tryConnect()
{
    if (m_connected)
        return true;
    const auto *client = midi::Client::sharedClient();
    const auto destination = named(client->destinationEndpoints(), m_options.target);
    const auto source = named(client->sourceEndpoints(), m_options.target);
    if (!destination || !source)
        return false;
    m_connected = true;
    m_connectTimeout.stop();
    m_output.setEndpoints(QList{destination});
    m_input.setEndpoints({source});
    m_err << "stripdeck-host-sim: connected to \"" << m_options.target << "\"\n";
    m_err.flush();
    // Connections take effect on the server's side; the first messages wait one turn for them.
    QTimer::singleShot(100, this, &HostSimulator::runNextStep);
    return true;
}

void HostSimulator::runNextStep()
{
    while (!m_steps.isEmpty()) {
        const HostScript::Step step = m_steps.takeFirst();
        midi::MessageList messages;
        for (const QByteArray &bytes : step.messages)
            messages.append(midi::Message(bytes));
        m_output.takeMIDIMessages(messages);
        if (step.waitMilliseconds > 0) {
            QTimer::singleShot(step.waitMilliseconds, this, &HostSimulator::runNextStep);
            return;
        }
    }
    if (m_options.listenMs >= 0)
        QTimer::singleShot(m_options.listenMs, this, [this] { Q_EMIT finished(0); });
}

void HostSimulator::takeMIDIMessages(const midi::MessageList &messages)
{
    for (const midi::Message &message : messages)
        m_out << (m_options.describe ? m_options.describe(message.bytes())
                                     : SurfaceReplyDecoder::describe(message.bytes()))
              << '\n';
    m_out.flush();
}
