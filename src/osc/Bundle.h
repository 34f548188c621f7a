#pragma once

#include "osc/Packet.h"
#include "osc/TimeTag.h"

#include <QByteArrayList>

namespace osc {

// A bundle of packets that are already encoded. The time tag is written but receivers here
// deliver every element at once.
class Bundle : public Packet {
public:
    Bundle() = default;
    Bundle(const TimeTag &timeTag, const QByteArrayList &elements);

    static Bundle bundleWithTimeTag(const TimeTag &timeTag, const QByteArrayList &elements);

    const TimeTag &timeTag() const { return m_timeTag; }
    void setTimeTag(const TimeTag &timeTag) { m_timeTag = timeTag; }
    const QByteArrayList &elements() const { return m_elements; }
    void setElements(const QByteArrayList &elements) { m_elements = elements; }

    QByteArray packetData() const override;
    // Bundles have no text form.
    QString asQSC() const override { return {}; }
    QString description() const override;

private:
    TimeTag m_timeTag;
    QByteArrayList m_elements;
};

} // namespace osc
