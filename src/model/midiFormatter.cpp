#include "midiFormatter.h"

namespace {

const char *const noteNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

} // namespace

std::optional<QString> midiFormatter::stringForObjectValue(const QVariant &value) const
{
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Bool)
        return std::nullopt;
    // C++ division truncates towards zero, as the names were defined; a negative remainder
    // has no letter, so it is folded into the octave below.
    qlonglong q = n / 12;
    qlonglong r = n - 12 * q;
    if (r < 0) {
        r += 12;
        --q;
    }
    return QString::fromLatin1(noteNames[r]) + QString::number(q - 2);
}

midiFormatter::Parsed midiFormatter::getObjectValue(const QString &text) const
{
    const qsizetype length = text.size();
    if (length < 2 || length > 4)
        return {};
    const bool minus = text.contains(QLatin1Char('-'));
    const qsizetype sharp = text.indexOf(QLatin1Char('#'));
    if (sharp != -1 && sharp != 1)
        return {};
    if (length != (minus ? 3 : 2) + (sharp == 1 ? 1 : 0))
        return {};
    static const QString letters = QStringLiteral("CCDDEFFGGAAB");
    const qsizetype pitchClass = letters.indexOf(text.front());
    if (pitchClass == -1)
        return {};
    static const QString digits = QStringLiteral("012345678");
    const qsizetype octave = digits.indexOf(text.back());
    if (octave == -1)
        return {false, 0, QStringLiteral("this is not a midi key...!")};
    const int shift = int(12 * octave);
    return {true, int(24 + pitchClass + (sharp == 1 ? 1 : 0) + (minus ? -shift : shift)), {}};
}
