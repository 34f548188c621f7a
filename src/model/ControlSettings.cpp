#include "ControlSettings.h"

#include "ColorArchive.h"

#include <limits>

ControlSettings::ControlSettings(QVariantMap record)
    : m_record(std::move(record))
{
}

ControlSettings::Kind ControlSettings::kindFromString(const QString &kind)
{
    static const std::pair<const char *, Kind> table[] = {
        {"note", Kind::Note},     {"prgch", Kind::Prgch}, {"pbend", Kind::Pbend}, {"MMC", Kind::MMC},
        {"ctrl14", Kind::Ctrl14}, {"nrpn", Kind::Nrpn},   {"osc", Kind::Osc},
    };
    for (const auto &[name, code] : table) {
        if (kind == QLatin1String(name))
            return code;
    }
    return Kind::Ctrl;
}

QString ControlSettings::kindString(Kind kind)
{
    static const char *const names[] = {"ctrl", "note", "prgch", "pbend", "MMC", "ctrl14", "nrpn", "osc"};
    return QString::fromLatin1(names[int(kind)]);
}

double ControlSettings::kindMaximum(Kind kind)
{
    switch (kind) {
    case Kind::Pbend:
    case Kind::Ctrl14:
    case Kind::Nrpn:
        return 16383;
    case Kind::Osc:
        return std::numeric_limits<float>::max();
    default:
        return 127;
    }
}

int ControlSettings::behaviourFromString(Family family, const QString &type)
{
    switch (family) {
    case Family::Fader:
        return type == QLatin1String("pan") ? 1 : type == QLatin1String("pitchbend") ? 2 : 0;
    case Family::Pad:
    case Family::Transport:
        return type == QLatin1String("momentary") ? 0 : type == QLatin1String("push") ? 2 : 1;
    case Family::Piano:
        return type == QLatin1String("noglissando") ? 1 : type == QLatin1String("pitchbend") ? 2 : 0;
    }
    return 0;
}

ControlSettings::Kind ControlSettings::kind() const
{
    return kindFromString(m_record.value(QStringLiteral("kind")).toString());
}

int ControlSettings::channel() const
{
    return integer(QStringLiteral("channel"), 0);
}

int ControlSettings::value() const
{
    return integer(QStringLiteral("value"), 0);
}

double ControlSettings::scaleFrom() const
{
    return m_record.value(QStringLiteral("scaleFrom"), 0.0).toDouble();
}

double ControlSettings::scaleTo() const
{
    const QVariant stored = m_record.value(QStringLiteral("scaleTo"));
    if (stored.isValid())
        return stored.toDouble();
    // The "osc" default is a fraction: OSC receivers mostly expect 0 … 1.
    const Kind k = kind();
    return k == Kind::Osc ? 1.0 : k == Kind::MMC ? 127 : kindMaximum(k);
}

int ControlSettings::behaviour(Family family) const
{
    if (family == Family::Pad && kind() == Kind::Prgch)
        return 2;
    const QVariant type = m_record.value(QStringLiteral("type"));
    if (!type.isValid()) {
        // Missing types: faders "volume", pads and transport "toggle", the piano "glissando".
        return (family == Family::Pad || family == Family::Transport) ? 1 : 0;
    }
    return behaviourFromString(family, type.toString());
}

QString ControlSettings::label() const
{
    return m_record.value(QStringLiteral("label")).toString();
}

std::optional<QColor> ControlSettings::color() const
{
    return ColorArchive::unarchive(m_record.value(QStringLiteral("color")));
}

std::optional<QString> ControlSettings::oscAddress() const
{
    const QVariant address = m_record.value(QStringLiteral("oscAddress"));
    if (address.typeId() != QMetaType::QString)
        return std::nullopt;
    return address.toString();
}

int ControlSettings::startOctave() const
{
    return integer(QStringLiteral("startOctave"), 4);
}

int ControlSettings::octaves() const
{
    return integer(QStringLiteral("octaves"), 2);
}

// Numbers are stored as integers or reals; either kind is truncated towards zero.
int ControlSettings::integer(const QString &key, int absent) const
{
    const QVariant stored = m_record.value(key);
    if (!stored.isValid())
        return absent;
    bool ok = false;
    const double number = stored.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return absent;
    return int(std::clamp<double>(number, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
