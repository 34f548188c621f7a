#pragma once

#include <QByteArray>
#include <QColor>
#include <QVariant>

#include <optional>

// The stored form of a colour: 32 bytes, red, green, blue and alpha as big-endian IEEE-754
// doubles, so it reads the same on every machine.
class ColorArchive {
public:
    static QByteArray archive(const QColor &color);
    // Anything but 32 bytes of four finite components in 0 … 1 is not a colour.
    static std::optional<QColor> unarchive(const QVariant &stored);
};
