#pragma once

#include <QString>

class AlsaBackend;

// A port of the program's own sequencer client, deleted with this object.
class AlsaOwnPort {
public:
    // Published ports, for other programs to subscribe to.
    static constexpr unsigned kVirtualSource = 0x01 | 0x20;      // READ | SUBS_READ
    static constexpr unsigned kVirtualDestination = 0x02 | 0x40; // WRITE | SUBS_WRITE
    // Private ports: the program subscribes them itself, nobody else may.
    static constexpr unsigned kPrivateOutput = 0x01 | 0x80; // READ | NO_EXPORT
    static constexpr unsigned kPrivateInput = 0x02 | 0x80;  // WRITE | NO_EXPORT

    // At the requested number when it is free, else at any; isValid() tells whether it exists.
    AlsaOwnPort(AlsaBackend &backend, const QString &name, unsigned capabilities, int requested);
    ~AlsaOwnPort();
    AlsaOwnPort(const AlsaOwnPort &) = delete;
    AlsaOwnPort &operator=(const AlsaOwnPort &) = delete;

    bool isValid() const { return m_number >= 0; }
    int number() const { return m_number; }
    AlsaBackend &backend() const { return m_backend; }

    // Moves the port to another number; on refusal it stays where it was. Subscriptions do not
    // move with it, so this is for the time right after creation.
    bool renumber(int number);

private:
    AlsaBackend &m_backend;
    QString m_name;
    unsigned m_capabilities;
    int m_number;
};
