#include "pianoView.h"

#include "MessageValue.h"
#include "pianoKeysItemDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int largestLabelFont = 16;
constexpr int smallestLabelFont = 7;
constexpr quint16 bendCentre = 8192;
constexpr float bendTop = 16383;

QFont labelFont(int size)
{
    QFont font = QApplication::font();
    font.setPixelSize(size);
    return font;
}

} // namespace

pianoView::pianoView(int octaves, int startOctave, QWidget *parent)
    : TouchView(parent)
    , m_numOctaves(std::clamp(octaves, 1, highestOctave))
    , m_startOctave(std::clamp(startOctave, 0, highestOctave - m_numOctaves))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int i = 0; i < m_numOctaves; ++i) {
        auto *label = new QLabel(this);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setAutoFillBackground(false);
        m_textFields.append(label);
    }
    updateLabelTexts();
}

pianoView::~pianoView() = default;

QStringList pianoView::labelTexts() const
{
    QStringList texts;
    for (const QLabel *label : m_textFields)
        texts.append(label->text());
    return texts;
}

void pianoView::resizeEvent(QResizeEvent *event)
{
    TouchView::resizeEvent(event);
    viewWillDraw();
}

void pianoView::viewWillDraw()
{
    layoutKeysIfWidthChanged();
    // The labels are placed in pixels, so a new point scale moves them though the keys stay.
    if (pointScale() != m_labelScale)
        fitLabels();
    updateLabelTexts();
}

void pianoView::layoutKeysIfWidthChanged()
{
    const QSizeF size = sizeInPoints();
    if (size.width() == m_lastWidth)
        return;
    m_lastWidth = size.width();
    m_layout = PianoKeyboardLayout(size.width(), size.height(), m_numOctaves);
    fitLabels();
}

void pianoView::fitLabels()
{
    const qreal fitWidth = 1.5 * m_layout.unit();
    m_labelFontSize = smallestLabelFont;
    for (int size = largestLabelFont; size >= smallestLabelFont; --size) {
        if (QFontMetricsF(labelFont(size)).horizontalAdvance(QStringLiteral("C-0")) < fitWidth) {
            m_labelFontSize = size;
            break;
        }
    }
    // Labels are child widgets in pixels; their place and font follow the point scale.
    const qreal scale = pointScale();
    m_labelScale = scale;
    const QFont font = labelFont(qMax(1, qRound(m_labelFontSize * scale)));
    const QSizeF labelSize = QFontMetricsF(labelFont(m_labelFontSize)).size(0, QStringLiteral("C-0"));
    for (int i = 0; i < m_textFields.size(); ++i) {
        // One point below the bottom edge, measured upwards, is H + 1 − h downwards.
        const QPointF origin((12 * i + 0.75) * m_layout.unit(), m_layout.height() + 1 - labelSize.height());
        m_textFields[i]->setFont(font);
        m_textFields[i]->setGeometry(QRectF(origin * scale, labelSize * scale).toAlignedRect());
    }
}

void pianoView::updateLabelTexts()
{
    // Octave −2 is the octave of MIDI note 0.
    for (int i = 0; i < m_textFields.size(); ++i)
        m_textFields[i]->setText(QStringLiteral("C%1").arg(m_startOctave + i - 2));
}

bool pianoView::searchKeyForFinger(Finger &finger, const QPointF &location)
{
    const PianoKey *key = m_layout.keyAt(location);
    if (!key)
        return false;
    finger.pianoKey = key->pitch;
    finger.pitch = key->pitch + 12 * m_startOctave;
    sendNote(finger.pitch, m_maxValue);
    return true;
}

void pianoView::sendNote(int note, double velocity)
{
    if (!m_pianoDelegate)
        return;
    if (m_kind == noteKind)
        m_pianoDelegate->sendNoteOn(note, MessageValue::truncated(velocity, MessageValue::sevenBitTop),
                                    m_channelNumber);
    else
        m_pianoDelegate->sendOSCMessageWithAddressPattern(m_oscAddress, {note, velocity});
}

void pianoView::release(const Finger &finger)
{
    sendNote(finger.pitch, m_minValue);
}

qsizetype pianoView::fingerIndex(quint64 identity) const
{
    for (qsizetype i = 0; i < m_activeKeys.size(); ++i) {
        if (m_activeKeys[i].trackingTouchIdentity == identity)
            return i;
    }
    return -1;
}

void pianoView::touchesBegan(const TouchList &touches)
{
    // A width change may not have been drawn yet; the keys must match what is touched.
    layoutKeysIfWidthChanged();
    for (const Touch &touch : touches) {
        if (!touch.direct)
            continue;
        // A touch already playing is not begun twice.
        if (fingerIndex(touch.identity) >= 0)
            continue;
        Finger finger;
        finger.trackingTouchIdentity = touch.identity;
        finger.origPoint = touch.location;
        if (searchKeyForFinger(finger, touch.location))
            m_activeKeys.append(finger);
        shiftOctave(touch.location);
        update();
    }
    if (m_pianoDelegate)
        m_pianoDelegate->pianoTouched(this);
}

void pianoView::shiftOctave(const QPointF &location)
{
    if (m_layout.downKey().contains(location) && m_startOctave >= 1)
        --m_startOctave;
    else if (m_layout.upKey().contains(location) && m_startOctave < highestOctave - m_numOctaves)
        ++m_startOctave;
    else
        return;
    updateLabelTexts();
}

void pianoView::touchesMoved(const TouchList &touches)
{
    layoutKeysIfWidthChanged();
    for (const Touch &touch : touches) {
        if (!touch.direct)
            continue;
        const qsizetype index = fingerIndex(touch.identity);
        if (index < 0)
            continue;
        if (m_type == PitchBend && index == m_activeKeys.size() - 1)
            bend(m_activeKeys[index], touch.location);
        else if (m_type == Glissando)
            glide(m_activeKeys[index], touch.location);
    }
}

void pianoView::bend(const Finger &finger, const QPointF &location)
{
    if (m_kind != noteKind || !m_pianoDelegate)
        return;
    const float dx = float(location.x() - finger.origPoint.x());
    // One key unit for two octaves; full bend lies two such distances from the touch-down.
    const float distance = float(m_layout.width() / 25.5);
    const float bend = std::clamp(dx / (2 * distance) * 8192 + 8192, 0.0f, bendTop);
    m_pianoDelegate->sendPitchBend(quint16(bend), m_channelNumber);
}

void pianoView::glide(Finger &finger, const QPointF &location)
{
    const PianoKey *key = m_layout.keyWithPitch(finger.pianoKey);
    if (key && key->touchPath.contains(location))
        return;
    // Off every key the finger keeps its key and note, so each further move releases again.
    release(finger);
    searchKeyForFinger(finger, location);
    update();
}

void pianoView::touchesEnded(const TouchList &touches)
{
    endTouches(touches);
}

void pianoView::touchesCancelled(const TouchList &touches)
{
    endTouches(touches);
}

void pianoView::endTouches(const TouchList &touches)
{
    for (const Touch &touch : touches) {
        if (!touch.direct)
            continue;
        const qsizetype index = fingerIndex(touch.identity);
        if (index < 0)
            continue;
        const Finger finger = m_activeKeys[index];
        release(finger);
        const bool mostRecent = index == m_activeKeys.size() - 1;
        if (m_kind == noteKind && mostRecent && m_type == PitchBend && m_pianoDelegate)
            m_pianoDelegate->sendPitchBend(bendCentre, m_channelNumber);
        m_activeKeys.removeAt(index);
        update();
    }
}

bool pianoView::isPlayed(const PianoKey &key) const
{
    return std::any_of(m_activeKeys.cbegin(), m_activeKeys.cend(),
                       [&key](const Finger &finger) { return finger.pianoKey == key.pitch; });
}

void pianoView::draw(QPainter &painter)
{
    viewWillDraw();
    painter.setPen(Qt::black);
    for (const PianoKey &key : m_layout.keys()) {
        const QColor fill = isPlayed(key) ? Qt::red : key.type == PianoKey::Black ? Qt::black : Qt::white;
        painter.fillPath(key.drawPath, fill);
        painter.drawPath(key.drawPath);
    }
    drawChevrons(painter);
}

void pianoView::drawChevrons(QPainter &painter) const
{
    const qreal s = 0.75 * m_layout.unit();
    const qreal w = m_layout.width();
    const qreal h = m_layout.height();
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF left[] = {{0.75 * s, 4}, {0.25 * s, h / 2}, {0.75 * s, h - 4}};
    const QPointF right[] = {{w - 0.75 * s, 4}, {w - 0.25 * s, h / 2}, {w - 0.75 * s, h - 4}};
    painter.drawPolyline(left, 3);
    painter.drawPolyline(right, 3);
}
