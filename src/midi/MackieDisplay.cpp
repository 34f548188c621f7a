#include "MackieDisplay.h"

#include <algorithm>

namespace midi {

namespace {

// The LCD knows a few glyphs of its own below the space; text shows them as spaces.
char printable(char byte)
{
    return byte >= 0x20 && byte < 0x7F ? byte : ' ';
}

} // namespace

std::array<char, 2 * MackieDisplay::rowLength> MackieDisplay::blankLcd()
{
    std::array<char, 2 * rowLength> lcd;
    lcd.fill(' ');
    return lcd;
}

std::bitset<MackieDisplay::channelCount> MackieDisplay::writeLcd(int offset, QByteArrayView characters)
{
    std::bitset<channelCount> changed;
    if (offset < 0)
        return changed;
    const qsizetype end = std::min<qsizetype>(qsizetype(offset) + characters.size(), qsizetype(m_lcd.size()));
    for (qsizetype at = offset; at < end; ++at) {
        const char shown = printable(characters[at - offset]);
        if (m_lcd[std::size_t(at)] == shown)
            continue;
        m_lcd[std::size_t(at)] = shown;
        if (at < rowLength)
            changed.set(std::size_t(at / cellWidth));
    }
    return changed;
}

QString MackieDisplay::upperCell(int channel) const
{
    if (channel < 0 || channel >= channelCount)
        return {};
    return QString::fromLatin1(m_lcd.data() + channel * cellWidth, cellWidth).trimmed();
}

// Codes 0 … 31 are the letters '@' … '_', 32 … 63 the characters of the same ASCII code.
void MackieDisplay::writeAssignment(bool left, int code)
{
    const int character = code & 0x3F;
    m_assignment[left ? 0 : 1] = char(character < 0x20 ? character + 0x40 : character);
}

QString MackieDisplay::assignmentText() const
{
    const QString text = QString::fromLatin1(m_assignment.data(), 2).trimmed();
    return text.isEmpty() ? QStringLiteral("-") : text;
}

} // namespace midi
