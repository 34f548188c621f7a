#pragma once

#include "MessageDestination.h"
#include "PortOutputStream.h"

#include <QtGlobal>

namespace midi {

// Builds the program's outgoing messages and sends each at once as its own one-message list.
// User messages go to the user output and then, when a port is chosen, to the port;
// surface messages go to the surface output only.
class MidiRouter {
public:
    // Streams are not owned; a null stream is skipped.
    void setUserOutput(MessageDestination *stream) { m_userOutput = stream; }
    void setSurfaceOutput(MessageDestination *stream) { m_surfaceOutput = stream; }
    void setPortOutput(PortOutputStream *stream) { m_portOutput = stream; }

    void sendNoteOn(int note, int velocity, int channel);
    void sendControl(int controller, int value, int channel);
    void sendPitchBend(quint16 value, int channel);
    void sendProgram(int program, int channel);
    void sendMMC(qint8 command);
    // Controllers above 31 have no LSB partner, so nothing is sent for them.
    void send14BitControl(int controller, quint16 value, int channel);
    void sendNRPN(quint16 parameter, quint16 value, int channel);

    void sendControlSurfaceControl(int controller, int value, int channel);
    void sendControlSurfacePitchBend(quint16 value, int channel);
    void sendControlSurfaceNoteOn(int note, int velocity, int channel);
    // body excludes F0 and F7.
    void sendControlSurfaceSystemExclusive(const QByteArray &body);

    // Building blocks: one message to one stream.
    static void sendMIDIOutNoteOn(int note, int velocity, int channel, MessageDestination *destination);
    static void sendMIDIOutControl(int controller, int value, int channel, MessageDestination *destination);
    static void sendMIDIOutPitchBend(quint16 value, int channel, MessageDestination *destination);
    static void sendMIDIOutProgram(int program, int channel, MessageDestination *destination);
    static void sendMIDIOutMMC(qint8 command, MessageDestination *destination);

private:
    template <typename Send> void toUserOutputs(Send send);

    MessageDestination *m_userOutput = nullptr;
    MessageDestination *m_surfaceOutput = nullptr;
    PortOutputStream *m_portOutput = nullptr;
};

} // namespace midi
