#pragma once

#include <QByteArray>
#include <QString>

// Names what the eight-fader bank and the channel strip send to the host on the
// "Stripdeck Surface" output, one line per message, e.g. "bank fader 3 value 8191 (0.500)".
// Messages outside that set read "other" and their bytes in hex.
class SurfaceReplyDecoder {
public:
    static QString describe(const QByteArray &message);

private:
    static QString describePitchBend(int channel, int value);
    static QString describeControl(int controller, int value);
};
