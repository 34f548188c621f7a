#pragma once

#include "Backend.h"

#include <QObject>

#include <memory>

namespace midi {

// The process's one connection to the MIDI system, through the installed backend.
class Client : public QObject {
    Q_OBJECT
public:
    // Made on first use; without an installed backend it uses the do-nothing one.
    static Client *sharedClient();
    // Replaces the backend. Streams made through the previous backend must be gone by then.
    static void installBackend(std::unique_ptr<Backend> backend);

    Backend &backend() const { return *m_backend; }
    QList<std::shared_ptr<Device>> devices() const { return m_backend->devices(); }
    QList<std::shared_ptr<SourceEndpoint>> sourceEndpoints() const { return m_backend->sourceEndpoints(); }
    QList<std::shared_ptr<DestinationEndpoint>> destinationEndpoints() const
    {
        return m_backend->destinationEndpoints();
    }

Q_SIGNALS:
    void setupChanged();

private:
    Client();
    void setBackend(std::unique_ptr<Backend> backend);

    std::unique_ptr<Backend> m_backend;
};

} // namespace midi
