#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <bitset>

namespace midi {

// The displays a Mackie Control host writes: the two-row LCD (seven characters per channel
// and row) and the two-character assignment display. Keeps what was written so that each
// write reports only the channels whose upper-row text it changed.
class MackieDisplay {
public:
    static constexpr int channelCount = 8;
    static constexpr int cellWidth = 7;
    static constexpr int rowLength = channelCount * cellWidth;

    // Characters from offset on (upper row 0 … 55, lower row 56 … 111); whatever would land
    // past the end of the lower row is dropped. Returns the channels whose upper cell changed.
    std::bitset<channelCount> writeLcd(int offset, QByteArrayView characters);
    // The channel's upper-row text without the padding around it.
    QString upperCell(int channel) const;

    // Control changes 0x4A (right digit) and 0x4B (left digit) carry one character each in
    // the display's six-bit code; bit 6 lights the dot, which is not shown.
    void writeAssignment(bool left, int code);
    // Both characters without the padding around them; "-" while the display is blank.
    QString assignmentText() const;

private:
    std::array<char, 2 *rowLength> m_lcd = blankLcd();
    std::array<char, 2> m_assignment{' ', ' '};

    static std::array<char, 2 * rowLength> blankLcd();
};

} // namespace midi
