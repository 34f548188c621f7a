#include "ColorArchive.h"

#include <QtEndian>

#include <array>
#include <bit>
#include <cmath>

QByteArray ColorArchive::archive(const QColor &color)
{
    const std::array<double, 4> components{color.redF(), color.greenF(), color.blueF(), color.alphaF()};
    QByteArray bytes(32, '\0');
    for (int i = 0; i < 4; ++i)
        qToBigEndian(std::bit_cast<quint64>(components[i]), bytes.data() + 8 * i);
    return bytes;
}

std::optional<QColor> ColorArchive::unarchive(const QVariant &stored)
{
    if (stored.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = stored.toByteArray();
    if (bytes.size() != 32)
        return std::nullopt;
    std::array<double, 4> components{};
    for (int i = 0; i < 4; ++i) {
        components[i] = std::bit_cast<double>(qFromBigEndian<quint64>(bytes.constData() + 8 * i));
        if (!std::isfinite(components[i]) || components[i] < 0.0 || components[i] > 1.0)
            return std::nullopt;
    }
    return QColor::fromRgbF(float(components[0]), float(components[1]), float(components[2]),
                            float(components[3]));
}
