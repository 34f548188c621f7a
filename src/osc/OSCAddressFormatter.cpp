#include "osc/OSCAddressFormatter.h"

#include "osc/AddressCharset.h"

std::optional<QString> OSCAddressFormatter::stringForObjectValue(const QVariant &object)
{
    if (object.typeId() != QMetaType::QString)
        return std::nullopt;
    return object.toString();
}

OSCAddressFormatter::Check OSCAddressFormatter::isPartialStringValid(const QString &partial)
{
    if (!osc::AddressCharset::allAddressCharacters(partial))
        return {false, {}, QStringLiteral("this is not a valid OSC address")};
    if (partial.startsWith(u'/'))
        return {true, {}, {}};
    return {false, u'/' + partial, {}};
}

QValidator::State OSCAddressFormatter::validate(QString &input, int &position) const
{
    const Check check = isPartialStringValid(input);
    if (check.accepted)
        return Acceptable;
    if (check.replacement.isEmpty())
        return Invalid;
    input = check.replacement;
    ++position;
    return Acceptable;
}
