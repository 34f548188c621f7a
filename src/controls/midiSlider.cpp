#include "midiSlider.h"

midiSlider::midiSlider(const QString &identifier)
    : TouchBarItem(identifier)
    , m_slider(new receiveValueSlider)
{
    m_slider->setMidiSlider(this);
    setView(m_slider);
    setSizing(Sizing::AtLeast, minimumWidth);
}

void midiSlider::setType(int type)
{
    m_type = type;
    if (!m_slider || type < Volume || type > PitchBend)
        return;
    m_slider->setPanSlider(type != Volume);
    m_slider->setMoveToCenter(type == PitchBend);
    m_slider->update();
}

void midiSlider::setLabel(const QString &label)
{
    m_label = label;
    if (m_slider)
        m_slider->setSliderTitle(label);
}

void midiSlider::setMidiValue(const QVariant &value)
{
    if (m_slider && !m_slider->touched())
        m_slider->setDoubleValue(value.toDouble());
}
