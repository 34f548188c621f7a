#pragma once

#include <QByteArray>
#include <QString>

// The host's side of the control-surface protocol: the feedback messages a host's control
// script sends to "Stripdeck Surface", as bytes on the wire.
class SurfaceEncoder {
public:
    enum class Text : quint8 { TrackName = 0, SendName = 2, DeviceName = 3, PanName = 5, ParameterName = 10 };
    enum class Colour : quint8 { Track = 1, Device = 4 };

    // Texts travel as their UTF-8 bytes cut into 7-bit groups, most significant bit first;
    // the last group is filled up with zero bits.
    static QByteArray packText(const QByteArray &utf8);
    // F0, the two header bytes, the command, then the arguments and F7.
    static QByteArray systemExclusive(quint8 command, const QByteArray &arguments);
    // A name; index is the send or parameter number where the command has one, else ignored.
    static QByteArray text(Text command, int index, const QString &text);
    static QByteArray colour(Colour command, int red, int green, int blue);
    // Pitch bend on a channel (1 … 16) for a fader position 0 … 1, LSB before MSB.
    static QByteArray faderPosition(int channel, double fraction);
    // Control change on channel 1.
    static QByteArray control(int controller, int value);
};
