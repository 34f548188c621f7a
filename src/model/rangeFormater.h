#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// Checks number fields while they are typed: digits only (and one decimal separator of the
// current locale when fractions are accepted), within minimum and maximum.
class rangeFormater {
public:
    struct Partial {
        bool valid = true;
        // What the field should show instead, when the text went out of range.
        std::optional<QString> newEditingString;
        QString errorDescription;
    };

    double minimum() const { return m_minimum; }
    void setMinimum(double minimum) { m_minimum = minimum; }
    double maximum() const { return m_maximum; }
    void setMaximum(double maximum) { m_maximum = maximum; }
    bool acceptFloat() const { return m_acceptFloat; }
    void setAcceptFloat(bool accept) { m_acceptFloat = accept; }

    // Numbers become their decimal text; any other value is handed back unchanged.
    QVariant stringForObjectValue(const QVariant &value) const;
    // The text is the value (the field converts it); an empty text stands for "0".
    QVariant getObjectValue(const QString &text) const;
    Partial isPartialStringValid(const QString &text) const;

private:
    double m_minimum = 0;
    double m_maximum = 0;
    bool m_acceptFloat = false;
};
