#include "AlsaEventEncoder.h"

#include "midi/MessageDestination.h"
#include "midi/MidiRouter.h"

#include <gtest/gtest.h>

namespace {

// What the ALSA output port would hand the sequencer, one line per event.
class EncodedEvents : public midi::MessageDestination {
public:
    void takeMIDIMessages(const midi::MessageList &messages) override
    {
        for (const auto &message : messages)
            m_encoder.encode(message, [this](snd_seq_event_t &event) { lines.append(describe(event)); });
    }

    QStringList lines;

private:
    static QString describe(const snd_seq_event_t &event)
    {
        switch (event.type) {
        case SND_SEQ_EVENT_CONTROLLER:
            return QString("control %1 %2 = %3")
                .arg(event.data.control.channel)
                .arg(event.data.control.param)
                .arg(event.data.control.value);
        case SND_SEQ_EVENT_PGMCHANGE:
            return QString("program %1 = %2").arg(event.data.control.channel).arg(event.data.control.value);
        case SND_SEQ_EVENT_NOTEON:
            return QString("note on %1 %2 = %3")
                .arg(event.data.note.channel)
                .arg(event.data.note.note)
                .arg(event.data.note.velocity);
        case SND_SEQ_EVENT_SYSEX:
            return QString("sysex %1").arg(event.data.ext.len);
        default:
            return QString("event type %1").arg(event.type);
        }
    }

    AlsaEventEncoder m_encoder;
};

// Stored numbers and values outside 0 … 127 reach the sequencer as one event each, held to
// the range, never as a status byte that starts another message.
TEST(AlsaEventEncoderTest, StoredValuesOutsideTheDataRangeStayOneEventHeldToTheRange)
{
    EncodedEvents events;
    midi::MidiRouter router;
    router.setUserOutput(&events);
    router.sendControl(7, 200, 1);
    router.sendControl(300, -4, 2);
    router.sendNoteOn(60, 128, 3);
    router.sendProgram(1000, 4);
    router.sendControl(7, 100, 16);
    EXPECT_EQ(events.lines, (QStringList{"control 0 7 = 127", "control 1 127 = 0", "note on 2 60 = 127",
                                         "program 3 = 127", "control 15 7 = 100"}));
}

TEST(AlsaEventEncoderTest, LongSystemExclusiveLeavesInPiecesThatAddUpToTheMessage)
{
    EncodedEvents events;
    const QByteArray sysex =
        QByteArray::fromHex("f07d") + QByteArray(2500, '\x2a') + QByteArray::fromHex("f7");
    events.takeMIDIMessages({midi::Message(sysex)});
    EXPECT_EQ(events.lines, (QStringList{"sysex 1024", "sysex 1024", "sysex 455"}));
}

} // namespace
