#pragma once

#include <QByteArray>
#include <QString>

// Names what Stripdeck sends to a Mackie Control host, one line per message, e.g.
// "fader 3 touch 127", "pan 2 left 3". Messages outside that set read "other" and their bytes
// in hex.
class MackieReplyDecoder {
public:
    static QString describe(const QByteArray &message);

private:
    static QString describeNote(int note, int velocity);
    static QString describeSystemExclusive(const QByteArray &message);
};
