// Encoding and decoding of the two message shapes the program sends most: one float (a
// fader) and an int/float/string message, beside liblo and oscpack doing the same work.
// Each side builds the message it encodes and reads every argument it decodes. Stripdeck is
// measured twice each way. Encoding: from typed values into a buffer of the caller's (as the
// other two), and the way the program's controls send, from Qt values into a QByteArray.
// Decoding: reading in place, and into a Message handing out Qt values.
// The "allocs" counter is the number of heap allocations per iteration.
#include "ComparisonCodecs.h"

#include "net/AsyncUdpSocket.h"
#include "osc/Message.h"
#include "osc/MessageView.h"
#include "osc/PacketDestination.h"
#include "osc/Parser.h"
#include "osc/Socket.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>

namespace {
std::atomic<long> allocations{0};
}

// Qt allocates with malloc, not operator new: count at the C level, for every library.
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *memory, std::size_t size);

void *malloc(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void *calloc(std::size_t count, std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void *realloc(void *memory, std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(memory, size);
}
}

namespace {

constexpr std::size_t capacity = 256;
const QString address = QStringLiteral("/a/b");
const QString text = QStringLiteral("hello");

// Counts the allocations of the timed loop only.
class AllocationCounter {
public:
    explicit AllocationCounter(benchmark::State &state)
        : m_state(state)
        , m_start(allocations.load())
    {
    }
    ~AllocationCounter()
    {
        m_state.counters["allocs"] =
            benchmark::Counter(double(allocations.load() - m_start), benchmark::Counter::kAvgIterations);
    }

private:
    benchmark::State &m_state;
    long m_start;
};

QByteArray oneFloatPacket()
{
    return osc::Message(address, {0.5f}).packetData();
}

QByteArray mixedPacket()
{
    return osc::Message(address, {7, 0.5f, text}).packetData();
}

void EncodeFloat_Stripdeck(benchmark::State &state)
{
    char buffer[capacity];
    AllocationCounter counter(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(osc::Message(address, {0.5f}).writePacketData(buffer));
}

void EncodeFloatFromVariant_Stripdeck(benchmark::State &state)
{
    const QVariant value(0.5f);
    AllocationCounter counter(state);
    for (auto _ : state) {
        const QByteArray data = osc::Message(address, {*osc::Message::argumentOf(value)}).packetData();
        benchmark::DoNotOptimize(data.constData());
    }
}

void EncodeFloat_Liblo(benchmark::State &state)
{
    char buffer[capacity];
    AllocationCounter counter(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(comparison::libloEncodeFloat(buffer, capacity, 0.5f));
}

void EncodeFloat_Oscpack(benchmark::State &state)
{
    char buffer[capacity];
    AllocationCounter counter(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(comparison::oscpackEncodeFloat(buffer, capacity, 0.5f));
}

void EncodeMixed_Stripdeck(benchmark::State &state)
{
    char buffer[capacity];
    AllocationCounter counter(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(osc::Message(address, {7, 0.5f, text}).writePacketData(buffer));
}

void EncodeMixedFromVariants_Stripdeck(benchmark::State &state)
{
    const QVariantList values{7, 0.5f, text};
    AllocationCounter counter(state);
    for (auto _ : state) {
        const QByteArray data = osc::Message(address, values).packetData();
        benchmark::DoNotOptimize(data.constData());
    }
}

void EncodeMixed_Liblo(benchmark::State &state)
{
    char buffer[capacity];
    AllocationCounter counter(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(comparison::libloEncodeMixed(buffer, capacity, 7, 0.5f, "hello"));
}

void EncodeMixed_Oscpack(benchmark::State &state)
{
    char buffer[capacity];
    AllocationCounter counter(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(comparison::oscpackEncodeMixed(buffer, capacity, 7, 0.5f, "hello"));
}

double stripdeckDecode(const QByteArray &packet)
{
    const auto message = osc::MessageView::fromData(packet);
    double sum = message->address()[1];
    for (const osc::MessageView::Argument &argument : *message) {
        switch (argument.tag()) {
        case 'i':
            sum += argument.toInt();
            break;
        case 'f':
            sum += argument.toFloat();
            break;
        default:
            sum += argument.text()[0];
            break;
        }
    }
    return sum;
}

double stripdeckDecodeToMessage(const QByteArray &packet)
{
    const auto message = osc::Parser::parseOscMessageData(packet);
    double sum = message->addressPattern().at(1).unicode();
    for (const QVariant &argument : message->arguments()) {
        switch (argument.typeId()) {
        case QMetaType::Int:
            sum += *static_cast<const int *>(argument.constData());
            break;
        case QMetaType::Float:
            sum += *static_cast<const float *>(argument.constData());
            break;
        default:
            sum += static_cast<const QString *>(argument.constData())->at(0).unicode();
            break;
        }
    }
    return sum;
}

double libloDecode(const QByteArray &packet)
{
    return comparison::libloDecode(packet.constData(), std::size_t(packet.size()));
}

double oscpackDecode(const QByteArray &packet)
{
    return comparison::oscpackDecode(packet.constData(), std::size_t(packet.size()));
}

void Decode(benchmark::State &state, QByteArray (*makePacket)(), double (*decode)(const QByteArray &))
{
    const QByteArray packet = makePacket();
    AllocationCounter counter(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(decode(packet));
}

// A stream of frames of the mixed message through the SLIP decoder, as a TCP peer sends it.
void DecodeSlipStream_Stripdeck(benchmark::State &state)
{
    struct Sink : osc::PacketDestination {
        void takeMessage(const osc::Message &message) override { count += message.arguments().size(); }
        qsizetype count = 0;
    } sink;
    QByteArray stream;
    for (int i = 0; i < 64; ++i)
        stream += osc::Parser::slipEncoded(mixedPacket());
    QByteArray buffer;
    osc::SlipState slipState;
    slipState.socket = osc::Socket::socketWithUdpSocket(net::UdpSocketPtr(new net::AsyncUdpSocket));
    AllocationCounter counter(state);
    for (auto _ : state)
        osc::Parser::translateSlipData(stream, buffer, slipState, &sink);
    state.SetBytesProcessed(state.iterations() * stream.size());
    benchmark::DoNotOptimize(sink.count);
}

} // namespace

BENCHMARK(EncodeFloat_Stripdeck);
BENCHMARK(EncodeFloatFromVariant_Stripdeck);
BENCHMARK(EncodeFloat_Liblo);
BENCHMARK(EncodeFloat_Oscpack);
BENCHMARK(EncodeMixed_Stripdeck);
BENCHMARK(EncodeMixedFromVariants_Stripdeck);
BENCHMARK(EncodeMixed_Liblo);
BENCHMARK(EncodeMixed_Oscpack);
BENCHMARK_CAPTURE(Decode, Float_Stripdeck, oneFloatPacket, stripdeckDecode);
BENCHMARK_CAPTURE(Decode, FloatToMessage_Stripdeck, oneFloatPacket, stripdeckDecodeToMessage);
BENCHMARK_CAPTURE(Decode, Float_Liblo, oneFloatPacket, libloDecode);
BENCHMARK_CAPTURE(Decode, Float_Oscpack, oneFloatPacket, oscpackDecode);
BENCHMARK_CAPTURE(Decode, Mixed_Stripdeck, mixedPacket, stripdeckDecode);
BENCHMARK_CAPTURE(Decode, MixedToMessage_Stripdeck, mixedPacket, stripdeckDecodeToMessage);
BENCHMARK_CAPTURE(Decode, Mixed_Liblo, mixedPacket, libloDecode);
BENCHMARK_CAPTURE(Decode, Mixed_Oscpack, mixedPacket, oscpackDecode);
BENCHMARK(DecodeSlipStream_Stripdeck);

BENCHMARK_MAIN();
