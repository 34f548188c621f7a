#include "osc/Bundle.h"

#include "osc/Wire.h"

#include <QStringList>

namespace osc {

namespace {
constexpr QByteArrayView bundleTag("#bundle\0", 8);
}

Bundle::Bundle(const TimeTag &timeTag, const QByteArrayList &elements)
    : m_timeTag(timeTag)
    , m_elements(elements)
{
}

Bundle Bundle::bundleWithTimeTag(const TimeTag &timeTag, const QByteArrayList &elements)
{
    return Bundle(timeTag, elements);
}

QByteArray Bundle::packetData() const
{
    qsizetype size = bundleTag.size() + 8;
    for (const QByteArray &element : m_elements)
        size += Wire::blobSize(element);
    QByteArray data(size, Qt::Uninitialized);
    char *out = std::copy(bundleTag.begin(), bundleTag.end(), data.data());
    out = Wire::writeInt(Wire::writeInt(out, m_timeTag.seconds()), m_timeTag.fraction());
    for (const QByteArray &element : m_elements)
        out = Wire::writeBlob(out, element);
    return data;
}

QString Bundle::description() const
{
    QStringList parts;
    for (const QByteArray &element : m_elements)
        parts.append(u'<' + QString::fromLatin1(element.toHex()) + u'>');
    return u'(' + parts.join(QStringLiteral(", ")) + u')';
}

} // namespace osc
