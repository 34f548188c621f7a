#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>

#include <optional>

namespace osc {

// An NTP time stamp: seconds since 1900 and a binary fraction of a second.
class TimeTag {
public:
    TimeTag() = default;
    TimeTag(quint32 seconds, quint32 fraction);

    static TimeTag timeTagWithDate(const QDateTime &date);
    // The tag OSC reserves for "now".
    static TimeTag immediateTimeTag() { return TimeTag(0, 1); }
    static std::optional<TimeTag> timeTagWithOSCTimeBytes(QByteArrayView bytes);

    quint32 seconds() const { return m_seconds; }
    quint32 fraction() const { return m_fraction; }
    QByteArray oscTimeTagData() const;

    friend bool operator==(const TimeTag &, const TimeTag &) = default;

private:
    quint32 m_seconds = 0;
    quint32 m_fraction = 1;
};

} // namespace osc
