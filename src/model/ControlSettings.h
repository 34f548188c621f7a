#pragma once

#include <QColor>
#include <QString>
#include <QVariantMap>

#include <optional>

// The settings record of one control as read from a control map, with the stand-in value
// of every missing key.
class ControlSettings {
public:
    enum class Kind { Ctrl = 0, Note = 1, Prgch = 2, Pbend = 3, MMC = 4, Ctrl14 = 5, Nrpn = 6, Osc = 7 };
    enum class Family { Fader, Pad, Transport, Piano };

    explicit ControlSettings(QVariantMap record = {});

    const QVariantMap &record() const { return m_record; }

    static Kind kindFromString(const QString &kind);
    static QString kindString(Kind kind);
    // The largest value "scaleFrom" and "scaleTo" may take for a kind.
    static double kindMaximum(Kind kind);
    // The behaviour code of a "type" string within a family; unknown strings get the
    // family's fallback.
    static int behaviourFromString(Family family, const QString &type);

    Kind kind() const;
    int channel() const;
    int value() const;
    double scaleFrom() const;
    double scaleTo() const;
    // A program-change pad always pushes, whatever its record says.
    int behaviour(Family family) const;
    QString label() const;
    // Null when absent or unreadable.
    std::optional<QColor> color() const;
    std::optional<QString> oscAddress() const;
    int startOctave() const;
    int octaves() const;

private:
    int integer(const QString &key, int absent) const;

    QVariantMap m_record;
};
