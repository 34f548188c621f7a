#include "rangeFormater.h"

#include <QLocale>

#include <cmath>

namespace {

// The bound without its fraction; an OSC range ends at the largest float, far past any int.
QString integerText(double bound)
{
    return QString::number(std::trunc(bound), 'f', 0);
}

} // namespace

QVariant rangeFormater::stringForObjectValue(const QVariant &value) const
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble());
    default:
        return value;
    }
}

QVariant rangeFormater::getObjectValue(const QString &text) const
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

rangeFormater::Partial rangeFormater::isPartialStringValid(const QString &text) const
{
    if (text.isEmpty())
        return {};
    const QLocale locale;
    const QString separator = locale.decimalPoint();
    QString allowed = QStringLiteral("0123456789");
    if (m_acceptFloat)
        allowed += separator;
    for (const QChar c : text) {
        if (!allowed.contains(c))
            return {false, std::nullopt, {}};
    }
    if (m_acceptFloat && text.count(separator) >= 2)
        return {false, std::nullopt, {}};
    if (m_acceptFloat && text.endsWith(separator))
        return {};
    const double value = locale.toDouble(text);
    if (value > m_maximum)
        return {false, integerText(m_maximum), {}};
    if (value < m_minimum)
        return {false, integerText(m_minimum), {}};
    return {};
}
