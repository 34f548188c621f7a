#pragma once

#include "Device.h"
#include "InputPort.h"
#include "OutputPort.h"

#include <QObject>

#include <memory>

namespace midi {

// What a MIDI system (ALSA sequencer, JACK, the test loopback) offers the program.
// All calls and signals happen on the main thread.
class Backend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual QString name() const = 0;
    // Other programs' devices and endpoints; the program's own ports are not listed.
    virtual QList<std::shared_ptr<Device>> devices() const = 0;
    virtual QList<std::shared_ptr<SourceEndpoint>> sourceEndpoints() const = 0;
    virtual QList<std::shared_ptr<DestinationEndpoint>> destinationEndpoints() const = 0;

    // uniqueID 0 lets the backend choose. Null when the port cannot be made.
    virtual std::unique_ptr<OutputPort> createVirtualSource(const QString &name, qint32 uniqueID) = 0;
    virtual std::unique_ptr<InputPort> createVirtualDestination(const QString &name, qint32 uniqueID) = 0;
    virtual std::unique_ptr<OutputPort> createPortOutput() = 0;
    virtual std::unique_ptr<InputPort> createPortInput() = 0;

Q_SIGNALS:
    // Devices or endpoints appeared, vanished, were renamed or reconnected.
    void setupChanged();
};

} // namespace midi
