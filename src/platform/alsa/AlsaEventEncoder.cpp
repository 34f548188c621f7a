#include "AlsaEventEncoder.h"

namespace {
// System exclusive longer than this leaves the encoder in several events.
constexpr size_t kEncodeBuffer = 1024;
} // namespace

AlsaEventEncoder::AlsaEventEncoder()
{
    if (snd_midi_event_new(kEncodeBuffer, &m_encoder) < 0)
        m_encoder = nullptr;
}

AlsaEventEncoder::~AlsaEventEncoder()
{
    if (m_encoder)
        snd_midi_event_free(m_encoder);
}

void AlsaEventEncoder::encode(const midi::Message &message, const Take &take)
{
    if (!m_encoder)
        return;
    snd_midi_event_reset_encode(m_encoder);
    const auto *bytes = reinterpret_cast<const unsigned char *>(message.bytes().constData());
    long left = message.bytes().size();
    while (left > 0) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        const long used = snd_midi_event_encode(m_encoder, bytes, left, &event);
        if (used <= 0)
            return;
        bytes += used;
        left -= used;
        if (event.type != SND_SEQ_EVENT_NONE)
            take(event);
    }
}
