#include "osc/AddressCharset.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace osc {
namespace {

constexpr std::string_view methodChars = "\"$%&'()+-.0123456789:;<=>@ABCDEFGHIJKLMNOPQRSTUVWXYZ\\^_`"
                                         "abcdefghijklmnopqrstuvwxyz|~!";
constexpr std::string_view patternChars = "/*?[]{,}";
static_assert(methodChars.size() == 85);

using Table = std::array<bool, 128>;

constexpr Table makeTable(std::string_view first, std::string_view second)
{
    Table table{};
    for (const char c : first)
        table[static_cast<unsigned char>(c)] = true;
    for (const char c : second)
        table[static_cast<unsigned char>(c)] = true;
    return table;
}

constexpr Table methodTable = makeTable(methodChars, {});
constexpr Table addressTable = makeTable(methodChars, patternChars);

bool inTable(const Table &table, QChar c)
{
    return c.unicode() < table.size() && table[c.unicode()];
}

} // namespace

QString AddressCharset::methodCharacters()
{
    return QString::fromLatin1(methodChars.data(), qsizetype(methodChars.size()));
}

bool AddressCharset::isMethodCharacter(QChar c)
{
    return inTable(methodTable, c);
}

bool AddressCharset::isAddressCharacter(QChar c)
{
    return inTable(addressTable, c);
}

bool AddressCharset::allMethodCharacters(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isMethodCharacter);
}

bool AddressCharset::allAddressCharacters(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isAddressCharacter);
}

} // namespace osc
