#pragma once

#include "midi/Backend.h"

#include <QStringList>

#include <memory>

class UserDefaults;

// Picks the MIDI system the program runs on.
//
// Automatic order: the ALSA sequencer when it opens, else JACK when a server runs (none is
// started), else the do-nothing backend, so the program always runs. The environment variable
// STRIPDECK_MIDI_BACKEND, else the preference "MidiBackend", may force one: "alsa", "jack" or
// "none"; "auto", absent or anything else means the automatic order. A forced system that
// cannot be reached gives the do-nothing backend.
class MidiBackendFactory {
public:
    struct Choice {
        std::unique_ptr<midi::Backend> backend;
        // Why systems that were tried were not taken, one line each, for whoever reports it.
        QStringList notes;
    };

    static QString requested(const UserDefaults *defaults);
    static Choice create(const UserDefaults *defaults);
    // The same choice for a given request, with the clients named after a program other than
    // Stripdeck (test peers, the host simulator).
    static Choice create(const QString &request, const QString &alsaClientName,
                         const QString &jackPortClientName);
};
