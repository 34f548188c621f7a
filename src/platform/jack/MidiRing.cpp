#include "MidiRing.h"

#include <new>

namespace {
constexpr std::size_t kHeader = sizeof(std::uint32_t);
}

MidiRing::MidiRing(std::size_t capacity)
    : m_ring(jack_ringbuffer_create(capacity))
{
    if (!m_ring)
        throw std::bad_alloc();
    // A page fault on the real-time thread is as bad as a lock.
    jack_ringbuffer_mlock(m_ring);
}

MidiRing::~MidiRing()
{
    jack_ringbuffer_free(m_ring);
}

bool MidiRing::write(const std::uint8_t *data, std::uint32_t size)
{
    if (size == kGap || jack_ringbuffer_write_space(m_ring) < kHeader + std::size_t(size))
        return false;
    jack_ringbuffer_write(m_ring, reinterpret_cast<const char *>(&size), kHeader);
    jack_ringbuffer_write(m_ring, reinterpret_cast<const char *>(data), size);
    return true;
}

bool MidiRing::writeGap()
{
    if (jack_ringbuffer_write_space(m_ring) < kHeader)
        return false;
    const std::uint32_t gap = kGap;
    jack_ringbuffer_write(m_ring, reinterpret_cast<const char *>(&gap), kHeader);
    return true;
}

// The writer moves its pointer after the header and again after the bytes, so a header alone
// may be visible; the record counts only when its bytes are there too.
std::optional<std::uint32_t> MidiRing::peek() const
{
    const std::size_t available = jack_ringbuffer_read_space(m_ring);
    if (available < kHeader)
        return std::nullopt;
    std::uint32_t size = 0;
    jack_ringbuffer_peek(m_ring, reinterpret_cast<char *>(&size), kHeader);
    if (size != kGap && available < kHeader + std::size_t(size))
        return std::nullopt;
    return size;
}

void MidiRing::read(std::uint8_t *dest)
{
    std::uint32_t size = 0;
    jack_ringbuffer_read(m_ring, reinterpret_cast<char *>(&size), kHeader);
    if (size != kGap)
        jack_ringbuffer_read(m_ring, reinterpret_cast<char *>(dest), size);
}

void MidiRing::skip()
{
    std::uint32_t size = 0;
    jack_ringbuffer_read(m_ring, reinterpret_cast<char *>(&size), kHeader);
    if (size != kGap)
        jack_ringbuffer_read_advance(m_ring, size);
}

std::size_t MidiRing::writeSpace() const
{
    return jack_ringbuffer_write_space(m_ring);
}
