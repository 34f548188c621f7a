#pragma once

#include <QList>
#include <QString>

#include <memory>

namespace midi {

// A program or piece of hardware that owns endpoints (a JACK client, an ALSA sequencer client).
class Device {
public:
    Device(QString name, qint32 uniqueID, bool online = true);

    // All devices the MIDI system knows, in the system's order.
    static QList<std::shared_ptr<Device>> devices();

    QString name() const { return m_name; }
    qint32 uniqueID() const { return m_uniqueID; }
    bool isOnline() const { return m_online; }

private:
    QString m_name;
    qint32 m_uniqueID;
    bool m_online;
};

} // namespace midi
