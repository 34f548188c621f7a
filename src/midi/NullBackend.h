#pragma once

#include "Backend.h"

namespace midi {

// The backend when no MIDI system is reachable: no devices, and no ports can be made,
// so the program runs on without MIDI.
class NullBackend : public Backend {
    Q_OBJECT
public:
    using Backend::Backend;

    QString name() const override;
    QList<std::shared_ptr<Device>> devices() const override;
    QList<std::shared_ptr<SourceEndpoint>> sourceEndpoints() const override;
    QList<std::shared_ptr<DestinationEndpoint>> destinationEndpoints() const override;
    std::unique_ptr<OutputPort> createVirtualSource(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<InputPort> createVirtualDestination(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<OutputPort> createPortOutput() override;
    std::unique_ptr<InputPort> createPortInput() override;
};

} // namespace midi
