#pragma once

#include "model/midiFormatter.h"

#include <QSpinBox>

// The editor's value field with its stepper: a controller, program or parameter number typed
// as digits, or a note typed by name ("C3" is 60). Typing past the bound puts the bound in.
class ValueSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ValueSpinBox(QWidget *parent = nullptr);

    bool showsNoteNames() const { return m_noteNames; }
    void setShowsNoteNames(bool noteNames);

protected:
    QValidator::State validate(QString &input, int &position) const override;
    int valueFromText(const QString &text) const override;
    QString textFromValue(int value) const override;

private:
    QValidator::State validateNumber(QString &input, int &position) const;
    QValidator::State validateNoteName(const QString &input) const;

    midiFormatter m_noteFormatter;
    bool m_noteNames = false;
};
