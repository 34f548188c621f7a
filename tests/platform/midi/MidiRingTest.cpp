#include "MidiRing.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <thread>

namespace {

QByteArray take(MidiRing &ring)
{
    const auto size = ring.peek();
    if (!size)
        return "<none>";
    if (*size == MidiRing::kGap) {
        ring.skip();
        return "<gap>";
    }
    QByteArray bytes(qsizetype(*size), '\0');
    ring.read(reinterpret_cast<std::uint8_t *>(bytes.data()));
    return bytes;
}

bool put(MidiRing &ring, const QByteArray &bytes)
{
    return ring.write(reinterpret_cast<const std::uint8_t *>(bytes.data()), std::uint32_t(bytes.size()));
}

// A record that does not fit is refused without writing a part; skip drops one record across
// the wrap.
TEST(MidiRing, KeepsRecordsWholeAndInOrder)
{
    MidiRing ring(64); // 63 usable bytes
    EXPECT_TRUE(put(ring, QByteArray(40, 'a')));
    EXPECT_FALSE(put(ring, QByteArray(20, 'b')));
    EXPECT_TRUE(put(ring, QByteArray(10, 'c')));
    EXPECT_EQ(take(ring), QByteArray(40, 'a'));
    EXPECT_EQ(take(ring), QByteArray(10, 'c'));
    EXPECT_TRUE(put(ring, QByteArray::fromHex("903c64")));
    EXPECT_TRUE(ring.writeGap());
    EXPECT_TRUE(put(ring, QByteArray::fromHex("f07d01f7")));
    EXPECT_EQ(take(ring), QByteArray::fromHex("903c64"));
    EXPECT_EQ(take(ring), "<gap>");
    EXPECT_EQ(take(ring), QByteArray::fromHex("f07d01f7"));
    EXPECT_EQ(take(ring), "<none>");
    for (int round = 0; round < 10; ++round) {
        EXPECT_TRUE(put(ring, QByteArray(20, char('a' + round))));
        EXPECT_TRUE(put(ring, QByteArray(7, char('A' + round))));
        ring.skip();
        EXPECT_EQ(take(ring), QByteArray(7, char('A' + round)));
    }
}

// One writer and one reader on two threads, as in the backend: every record arrives whole
// and in order although the ring fills and wraps many times.
TEST(MidiRing, CarriesRecordsBetweenTwoThreads)
{
    MidiRing ring(128);
    constexpr int count = 20000;
    std::thread writer([&] {
        for (int i = 0; i < count; ++i) {
            const QByteArray record(1 + i % 50, char(i));
            while (!put(ring, record))
                std::this_thread::yield();
        }
    });
    int received = 0;
    bool intact = true;
    while (received < count) {
        if (!ring.peek()) {
            std::this_thread::yield();
            continue;
        }
        intact = intact && take(ring) == QByteArray(1 + received % 50, char(received));
        ++received;
    }
    writer.join();
    EXPECT_TRUE(intact);
}

} // namespace
