#pragma once

#include <QString>
#include <QVariantList>
#include <QtGlobal>

class pianoView;

// Receiver of everything the piano keyboard plays: notes as MIDI (channels 1 … 16) or as OSC.
class pianoKeysItemDelegate {
public:
    virtual ~pianoKeysItemDelegate() = default;

    virtual void sendNoteOn(int note, int velocity, int channel) = 0;
    virtual void sendPitchBend(quint16 value, int channel) = 0;
    virtual void sendOSCMessageWithAddressPattern(const QString &address, const QVariantList &values) = 0;
    // Once per touch event that began touches, whether or not a key was hit.
    virtual void pianoTouched(pianoView *view) = 0;
};
