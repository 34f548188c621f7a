#pragma once

#include "midi/Device.h"

#include <QString>

#include <memory>

// An endpoint of the JACK system: a MIDI port, known by its full name "client:port".
//
// JACK has no numeric port identity, so the identifier is derived from the full name
// (StableId): a port that comes back under the same name has the same identifier, and a
// request for any other identifier is refused (the inherited setUniqueID does nothing).
template <typename Base> class JackEndpoint : public Base {
public:
    JackEndpoint(QString name, std::shared_ptr<const midi::Device> device, QString fullName, qint32 uniqueID)
        : Base(std::move(name), std::move(device), uniqueID)
        , m_fullName(std::move(fullName))
    {
    }

    const QString &fullName() const { return m_fullName; }

private:
    QString m_fullName;
};
