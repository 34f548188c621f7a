#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The little language of the host simulator: one command per line, "#" starts a comment,
// texts with spaces in double quotes (\" and \\ inside). Each command becomes the messages a
// host's control script would send, or a pause:
//
//   track-name TEXT | send-name N TEXT | device-name TEXT | pan-name TEXT | param-name N TEXT
//   track-color R G B | device-color R G B          (components 0 … 127)
//   fader N POSITION        bank fader 0 … 7, position 0 … 1
//   strip-fader N POSITION  strip fader 0 … 5
//   param-type N VALUE      bank parameter 0 … 7
//   bank NUMBER             bank number, 0 shows "-"
//   solo | mute | has-device | device-on | color-mode | button-mode | bank-mode  on|off|0 … 127
//   raw HEX …               any bytes
//   wait MILLISECONDS
//
// Another protocol brings its own commands (MackieHostScript); "wait" and the line syntax stay.
class HostScript {
public:
    // The messages of one command line, split into words; nothing when it cannot be read.
    using Commands = std::function<std::optional<QByteArray>(const QStringList &words)>;
    struct Step {
        QList<QByteArray> messages;
        int waitMilliseconds = 0;
    };

    // Nothing when a line cannot be read; error then names the line and what is wrong.
    // Without commands, the native protocol's.
    static std::optional<QList<Step>> parse(const QString &script, QString *error = nullptr,
                                            const Commands &commands = {});
    static std::optional<Step> parseLine(const QString &line, QString *error, const Commands &commands = {});
    static std::optional<QByteArray> nativeMessage(const QStringList &words);
    // Splits a line into words; a quoted word may hold spaces. Nothing for an open quote.
    static std::optional<QStringList> words(const QString &line);
};
