#pragma once

#include "Finger.h"
#include "PianoKeyboardLayout.h"
#include "platform/touchbar/TouchView.h"

#include <QList>
#include <QPointer>
#include <QString>

class QLabel;
class pianoKeysItemDelegate;

// A multi-touch keyboard of one or more octaves with an octave-shift zone at each end. Each
// finger on a key plays a note through the delegate; a sliding finger glides from key to key,
// stays on its key, or bends the pitch, by `type`.
//
// Geometry is in points with y downwards (Qt's). A rectangle (x, y, w, h) measured from the
// lower-left corner with y upwards lies at (x, H − y − h, w, h) here.
class pianoView : public TouchView {
    Q_OBJECT
public:
    enum Behavior { Glissando = 0, NoGlissando = 1, PitchBend = 2 };
    // Only this kind sends MIDI; every other kind sends OSC.
    static constexpr int noteKind = 1;
    static constexpr int highestOctave = 10;
    static constexpr qreal minimumWidth = 400;
    static constexpr qreal height = 30;

    // Octaves are kept within 1 … 10 and the start octave within 0 … 10 − octaves, so that no
    // note leaves 0 … 119 whatever the stored settings say.
    pianoView(int octaves, int startOctave, QWidget *parent = nullptr);
    ~pianoView() override;

    int numOctaves() const { return m_numOctaves; }
    int startOctave() const { return m_startOctave; }

    QString identifier() const { return m_identifier; }
    void setIdentifier(const QString &identifier) { m_identifier = identifier; }
    int channelNumber() const { return m_channelNumber; }
    void setChannelNumber(int channel) { m_channelNumber = channel; }
    int type() const { return m_type; }
    void setType(int behavior) { m_type = behavior; }
    int kind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    QString oscAddress() const { return m_oscAddress; }
    void setOscAddress(const QString &address) { m_oscAddress = address; }
    // Release velocity.
    double minValue() const { return m_minValue; }
    void setMinValue(double value) { m_minValue = value; }
    // Press velocity.
    double maxValue() const { return m_maxValue; }
    void setMaxValue(double value) { m_maxValue = value; }
    // Not owned.
    pianoKeysItemDelegate *pianoDelegate() const { return m_pianoDelegate; }
    void setPianoDelegate(pianoKeysItemDelegate *delegate) { m_pianoDelegate = delegate; }

    const PianoKeyboardLayout &layout() const { return m_layout; }
    const QList<Finger> &activeKeys() const { return m_activeKeys; }
    // Point size of the octave labels, chosen when the keys were last built.
    int labelFontSize() const { return m_labelFontSize; }
    QStringList labelTexts() const;

    bool searchKeyForFinger(Finger &finger, const QPointF &location);

protected:
    void touchesBegan(const TouchList &touches) override;
    void touchesMoved(const TouchList &touches) override;
    void touchesEnded(const TouchList &touches) override;
    void touchesCancelled(const TouchList &touches) override;
    void draw(QPainter &painter) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void viewWillDraw();
    void layoutKeysIfWidthChanged();
    void fitLabels();
    void updateLabelTexts();
    void shiftOctave(const QPointF &location);
    void bend(const Finger &finger, const QPointF &location);
    void glide(Finger &finger, const QPointF &location);
    void release(const Finger &finger);
    void endTouches(const TouchList &touches);
    void sendNote(int note, double velocity);
    qsizetype fingerIndex(quint64 identity) const;
    bool isPlayed(const PianoKey &key) const;
    void drawChevrons(QPainter &painter) const;

    int m_numOctaves;
    int m_startOctave;
    qreal m_lastWidth = 0;
    PianoKeyboardLayout m_layout;
    // In order of touch-down; the last is the most recent finger.
    QList<Finger> m_activeKeys;
    QList<QLabel *> m_textFields;
    int m_labelFontSize = 0;
    qreal m_labelScale = 0;

    QString m_identifier;
    int m_channelNumber = 1;
    int m_type = Glissando;
    int m_kind = noteKind;
    pianoKeysItemDelegate *m_pianoDelegate = nullptr;
    QString m_oscAddress;
    double m_minValue = 0;
    double m_maxValue = 127;
};
