#include "ScaleValidator.h"

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
