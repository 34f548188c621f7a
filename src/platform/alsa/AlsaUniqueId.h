#pragma once

#include <QtGlobal>

#include <optional>

// Identifiers of ALSA sequencer endpoints.
//
// The program's own ports get a number in the client that is the same on every start when it
// is asked for, while the client number itself changes from run to run. So the identifier of
// an own port is the port number under a tag, independent of the client: requesting the
// stored identifier again means requesting that port number. Other programs' ports are
// client * 256 + port, and their devices the client number: client names need not be unique
// (two identical USB interfaces), and a device's ports are matched to it by identifier.
class AlsaUniqueId {
public:
    static qint32 ownPort(int port);
    // The port number an identifier of an own port asks for; nothing for any other number
    // (0, another backend's identifier, an other program's port).
    static std::optional<int> portOf(qint32 uniqueID);
    static qint32 otherPort(int client, int port);
    static qint32 device(int client);

private:
    static constexpr qint32 kOwnTag = 0x53440000; // "SD"
    static constexpr qint32 kTagMask = 0x7FFF0000;
};
