#include "ScaleValidator.h"

#include <QLocale>

void ScaleValidator::setRange(double minimum, double maximum, bool fractions)
{
    m_formatter.setMinimum(minimum);
    m_formatter.setMaximum(maximum);
    m_formatter.setAcceptFloat(fractions);
    Q_EMIT changed();
}

QValidator::State ScaleValidator::validate(QString &input, int &position) const
{
    const rangeFormater::Partial partial = m_formatter.isPartialStringValid(input);
    if (partial.valid)
        return Acceptable;
    if (!partial.newEditingString)
        return Invalid;
    input = *partial.newEditingString;
    position = int(input.size());
    return Acceptable;
}

std::optional<double> ScaleValidator::value(const QString &text)
{
    const QLocale locale;
    QString number = text;
    // A separator at the end is a fraction still being typed.
    if (number.endsWith(locale.decimalPoint()))
        number.chop(locale.decimalPoint().size());
    bool ok = false;
    const double result = locale.toDouble(number, &ok);
    return ok ? std::optional<double>(result) : std::nullopt;
}

QString ScaleValidator::text(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}
