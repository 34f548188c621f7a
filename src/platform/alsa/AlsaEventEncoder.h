#pragma once

#include "midi/Message.h"

#include <alsa/asoundlib.h>

#include <functional>

// Turns the program's messages into sequencer events with libasound's MIDI event encoder,
// which needs no sequencer of its own. Each message is encoded from a fresh state, so a
// message cut short never joins the next one.
class AlsaEventEncoder {
public:
    // An event's data pointer (system exclusive) points into the encoder and lasts only for
    // the call that hands it over.
    using Take = std::function<void(snd_seq_event_t &event)>;

    AlsaEventEncoder();
    ~AlsaEventEncoder();
    AlsaEventEncoder(const AlsaEventEncoder &) = delete;
    AlsaEventEncoder &operator=(const AlsaEventEncoder &) = delete;

    // False when libasound could not make the encoder; nothing is encoded then.
    bool isValid() const { return m_encoder != nullptr; }
    // Hands over the message's events in order: one for a channel or system message, one per
    // piece of a system-exclusive message longer than the encoder's buffer.
    void encode(const midi::Message &message, const Take &take);

private:
    snd_midi_event_t *m_encoder = nullptr;
};
