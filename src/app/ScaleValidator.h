#pragma once

#include "model/rangeFormater.h"

#include <QValidator>

// Keeps a scale field to a number within its kind's range while it is typed; a text past
// the range becomes the range's end.
class ScaleValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    const rangeFormater &formatter() const { return m_formatter; }
    void setRange(double minimum, double maximum, bool fractions);

    State validate(QString &input, int &position) const override;

private:
    rangeFormater m_formatter;
};
