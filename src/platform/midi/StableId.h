#pragma once

#include <QStringView>

// Identifiers for endpoints of MIDI systems that have no numeric identity of their own
// (JACK names its ports, nothing more). The identifier is a pure function of the name, so a
// port that is published under the same name after a restart has the same identifier.
class StableId {
public:
    // 32-bit FNV-1a of the UTF-8 name, kept positive and never 0 (0 means "no identity").
    static qint32 fromName(QStringView name);
};
