#include "ValueSpinBox.h"

#include "model/rangeFormater.h"

#include <QLineEdit>
#include <QRegularExpression>

ValueSpinBox::ValueSpinBox(QWidget *parent)
    : QSpinBox(parent)
{
    setRange(0, 127);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void ValueSpinBox::setShowsNoteNames(bool noteNames)
{
    if (m_noteNames == noteNames)
        return;
    m_noteNames = noteNames;
    lineEdit()->setText(textFromValue(value()));
}

QValidator::State ValueSpinBox::validate(QString &input, int &position) const
{
    return m_noteNames ? validateNoteName(input) : validateNumber(input, position);
}

QValidator::State ValueSpinBox::validateNumber(QString &input, int &position) const
{
    rangeFormater formatter;
    formatter.setMinimum(minimum());
    formatter.setMaximum(maximum());
    const rangeFormater::Partial partial = formatter.isPartialStringValid(input);
    if (partial.valid)
        return input.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
    if (!partial.newEditingString)
        return QValidator::Invalid;
    input = *partial.newEditingString;
    position = int(input.size());
    return QValidator::Acceptable;
}

QValidator::State ValueSpinBox::validateNoteName(const QString &input) const
{
    const midiFormatter::Parsed parsed = m_noteFormatter.getObjectValue(input);
    // The name formula reaches beyond the field's bounds ("G#8" is 128, "C-8" below zero).
    if (parsed.ok && parsed.note >= minimum() && parsed.note <= maximum())
        return QValidator::Acceptable;
    static const QRegularExpression beginning(QStringLiteral("^([A-G]#?-?[0-9]?)?$"));
    return beginning.match(input).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

int ValueSpinBox::valueFromText(const QString &text) const
{
    if (!m_noteNames)
        return text.toInt();
    const midiFormatter::Parsed parsed = m_noteFormatter.getObjectValue(text);
    return parsed.ok ? parsed.note : value();
}

QString ValueSpinBox::textFromValue(int value) const
{
    if (!m_noteNames)
        return QString::number(value);
    return m_noteFormatter.stringForObjectValue(value).value_or(QString());
}
