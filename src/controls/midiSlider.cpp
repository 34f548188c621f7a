#include "midiSlider.h"

midiSlider::midiSlider(const QString &identifier)
    : TouchBarItem(identifier)
    , m_slider(new receiveValueSlider)
{
    m_slider->setMidiSlider(this);
    setView(m_slider);
    setSizing(Sizing::AtLeast, minimumWidth);
}

// The slider lingers until the event loop deletes it, and may be springing back meanwhile:
// nothing it does may reach this item once it is gone.
midiSlider::~midiSlider()
{
    if (m_slider)
        m_slider->leaveItem();
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
