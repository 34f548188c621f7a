#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace osc {

// The characters an OSC method name and an OSC address may hold. Addresses add the pattern
// characters "/*?[]{,}" to the method characters; nothing outside ASCII is allowed in either.
class AddressCharset {
public:
    static QString methodCharacters();
    static bool isMethodCharacter(QChar c);
    static bool isAddressCharacter(QChar c);

    static bool allMethodCharacters(QStringView text);
    static bool allAddressCharacters(QStringView text);
};

} // namespace osc
