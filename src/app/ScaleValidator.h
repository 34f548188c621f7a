#pragma once

#include "model/rangeFormater.h"

#include <QValidator>

#include <optional>

// Keeps a scale field to a number within its kind's range while it is typed; a text past
// the range becomes the range's end.
class ScaleValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    const rangeFormater &formatter() const { return m_formatter; }
    void setRange(double minimum, double maximum, bool fractions);

    State validate(QString &input, int &position) const override;

    // The number a scale field's text shows, in the user's locale; none for an empty text.
    static std::optional<double> value(const QString &text);
    // The shortest text that reads back as the same number.
    static QString text(double value);

private:
    rangeFormater m_formatter;
};
