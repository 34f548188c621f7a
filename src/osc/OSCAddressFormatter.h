#pragma once

#include <QString>
#include <QValidator>
#include <QVariant>

#include <optional>

// Keeps an address field to OSC address characters and puts the leading "/" in for the user.
// Usable as the validator of a QLineEdit.
class OSCAddressFormatter : public QValidator {
    Q_OBJECT
public:
    struct Check {
        bool accepted = false;
        // Offered instead of a rejected text; empty when there is none.
        QString replacement;
        QString error;
    };

    using QValidator::QValidator;

    static std::optional<QString> stringForObjectValue(const QVariant &object);
    static QString objectValueForString(const QString &text) { return text; }
    static Check isPartialStringValid(const QString &partial);

    State validate(QString &input, int &position) const override;
};
