#pragma once

#include <jack/ringbuffer.h>

#include <cstddef>
#include <cstdint>
#include <optional>

// Whole MIDI chunks on a lock-free single-reader, single-writer JACK ring buffer, one side
// on the real-time thread and the other on the main thread.
//
// A record is a 4-byte length in native byte order followed by that many bytes. The reader
// takes a record only once all of it is in the ring, so a chunk is never seen in part. A
// record of length kGap marks bytes the writer had to drop, so the reader can forget a
// half-received message instead of gluing its ends together.
class MidiRing {
public:
    static constexpr std::uint32_t kGap = 0xFFFFFFFFu;

    // Allocates and locks the memory (not real-time safe).
    explicit MidiRing(std::size_t capacity);
    ~MidiRing();
    MidiRing(const MidiRing &) = delete;
    MidiRing &operator=(const MidiRing &) = delete;

    // Real-time safe. All or nothing: false when the record does not fit now.
    bool write(const std::uint8_t *data, std::uint32_t size);
    bool writeGap();

    // Real-time safe. Length of the next complete record (kGap for a gap), or nothing.
    std::optional<std::uint32_t> peek() const;
    // Real-time safe. Takes the next complete record; its bytes go to dest, which has room
    // for the length peek() gave. Call only after peek() answered.
    void read(std::uint8_t *dest);
    // Drops the next complete record.
    void skip();

    // Real-time safe. Bytes a writer may add now, headers included.
    std::size_t writeSpace() const;

private:
    jack_ringbuffer_t *m_ring;
};
