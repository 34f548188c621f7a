#pragma once

#include <QByteArrayView>

// Screens binary property lists before the library parses them. The library's getters abort
// the process on strings and keys with embedded NUL bytes, which a binary list can encode
// though no program of ours writes them; such lists, and lists whose tables point outside the
// data, are refused here.
class BinaryPlistScreen {
public:
    static bool isBinary(QByteArrayView data);
    static bool isSafe(QByteArrayView data);
};
