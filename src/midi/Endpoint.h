#pragma once

#include "Device.h"

#include <QString>

#include <memory>

namespace midi {

// A port of the MIDI system. Backends subclass it to keep their own handle, and the
// endpoints of the program's virtual streams override setUniqueID.
class Endpoint {
public:
    enum class Direction { Source, Destination };

    Endpoint(Direction direction, QString name, std::shared_ptr<const Device> device, qint32 uniqueID);
    virtual ~Endpoint() = default;

    Direction direction() const { return m_direction; }
    QString name() const { return m_name; }
    // The title the port menus show.
    virtual QString inputStreamSourceName() const { return m_name; }
    // Null for the program's own virtual endpoints.
    const std::shared_ptr<const Device> &device() const { return m_device; }
    qint32 uniqueID() const { return m_uniqueID; }
    // Asks for a new identifier. The system may refuse silently; uniqueID() tells what holds.
    virtual void setUniqueID(qint32 uniqueID);

protected:
    void setName(const QString &name) { m_name = name; }
    void assignUniqueID(qint32 uniqueID) { m_uniqueID = uniqueID; }

private:
    Direction m_direction;
    QString m_name;
    std::shared_ptr<const Device> m_device;
    qint32 m_uniqueID;
};

} // namespace midi
