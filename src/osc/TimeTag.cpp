#include "osc/TimeTag.h"

#include "osc/Wire.h"

#include <cmath>

namespace osc {

namespace {
constexpr double secondsFrom1900To1970 = 2208988800.0;
}

TimeTag::TimeTag(quint32 seconds, quint32 fraction)
    : m_seconds(seconds)
    , m_fraction(fraction)
{
}

TimeTag TimeTag::timeTagWithDate(const QDateTime &date)
{
    const double x = double(date.toMSecsSinceEpoch()) / 1000.0 + secondsFrom1900To1970;
    const double whole = std::floor(x);
    return TimeTag(quint32(qint64(whole)), quint32((x - whole) * 4294967295.0));
}

std::optional<TimeTag> TimeTag::timeTagWithOSCTimeBytes(QByteArrayView bytes)
{
    if (bytes.size() < 8)
        return std::nullopt;
    return TimeTag(Wire::readUInt32(bytes.data()), Wire::readUInt32(bytes.data() + 4));
}

QByteArray TimeTag::oscTimeTagData() const
{
    QByteArray data(8, Qt::Uninitialized);
    Wire::writeInt(Wire::writeInt(data.data(), m_seconds), m_fraction);
    return data;
}

} // namespace osc
