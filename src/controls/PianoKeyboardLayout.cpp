#include "PianoKeyboardLayout.h"

namespace {

constexpr qreal cornerRadius = 5;
// Draw paths reach this far beyond the top edge so that only their lower corners are square.
constexpr qreal overhang = 10;

int typeOf(int semitone)
{
    switch (semitone) {
    case 0:
    case 5:
        return PianoKey::WhiteBlackRight;
    case 4:
    case 11:
        return PianoKey::WhiteBlackLeft;
    case 2:
    case 7:
    case 9:
        return PianoKey::WhiteBetween;
    default:
        return PianoKey::Black;
    }
}

} // namespace

PianoKeyboardLayout::PianoKeyboardLayout(qreal width, qreal height, int octaves)
    : m_width(width)
    , m_height(height)
    , m_unit(float(width / (12 * octaves + 1.5)))
{
    // Painted in this order, so black keys lie over the white ones they overlap.
    const QList<QList<int>> groups = {{0, 5}, {4, 11}, {2, 7, 9}, {1, 3, 6, 8, 10}};
    for (const QList<int> &group : groups) {
        for (int octave = 0; octave < octaves; ++octave) {
            for (int semitone : group)
                addKey(12 * octave + semitone, typeOf(semitone));
        }
    }
    m_downKey = QRectF(0, 0, 0.75 * m_unit, height);
    m_upKey = QRectF(width - 0.75 * m_unit, 0, 0.75 * m_unit, height);
}

void PianoKeyboardLayout::addKey(int pitch, int type)
{
    const qreal u = m_unit;
    const qreal x = 0.75 * u + pitch * u;
    QRectF shape;
    switch (type) {
    case PianoKey::WhiteBlackRight:
        shape = QRectF(x, -overhang, 1.5 * u, m_height + overhang);
        break;
    case PianoKey::WhiteBlackLeft:
        shape = QRectF(x - 0.5 * u, -overhang, 1.5 * u, m_height + overhang);
        break;
    case PianoKey::WhiteBetween:
        shape = QRectF(x - 0.5 * u, -overhang, 2 * u, m_height + overhang);
        break;
    default:
        // Covers the upper two thirds: its bottom edge sits a third of the height above the
        // view's bottom.
        shape = QRectF(x, -overhang - m_height / 3, u, m_height + overhang);
        break;
    }
    PianoKey key;
    key.type = type;
    key.pitch = pitch;
    key.drawPath.addRoundedRect(shape, cornerRadius, cornerRadius);
    key.touchPath = QRectF(x, 0, u, m_height);
    m_keys.append(key);
}

const PianoKey *PianoKeyboardLayout::keyAt(const QPointF &point) const
{
    const PianoKey *found = nullptr;
    for (const PianoKey &key : m_keys) {
        if (key.touchPath.contains(point))
            found = &key;
    }
    return found;
}

const PianoKey *PianoKeyboardLayout::keyWithPitch(int pitch) const
{
    for (const PianoKey &key : m_keys) {
        if (key.pitch == pitch)
            return &key;
    }
    return nullptr;
}
