#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The host simulator's commands for Mackie Control (--protocol mackie): what a DAW sends to a
// main unit. Channels are 0 … 7; the line syntax, "raw" and "wait" are HostScript's.
//
//   query                   device query (the start of the handshake)
//   lcd N TEXT              upper LCD row, channel N's seven characters (its name)
//   lcd-lower N TEXT        lower LCD row, channel N's seven characters
//   fader N POSITION        channel N's fader, position 0 … 1
//   select | solo | mute N on|off|0 … 127    channel N's LED
//   ring N STEP             channel N's V-Pot ring, single dot: 1 … 11 (6 centre), 0 dark
//   assignment TEXT         the two-character assignment display (letters, digits, space)
//   meter N LEVEL           channel N's meter, 0 … 15
//   raw HEX … | wait MILLISECONDS
class MackieHostScript {
public:
    static std::optional<QByteArray> message(const QStringList &words);
};
