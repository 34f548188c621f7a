#include "KeyStrings.h"

#include "KeyboardLayout.h"
#include "ZnHotKey.h"

#include <QHash>

namespace {

bool isModifierKey(quint16 keyCode)
{
    return keyCode == 55 || keyCode == 56 || keyCode == 58 || keyCode == 59;
}

const QHash<quint16, QString> &glyphTable()
{
    static const QHash<quint16, QString> table = [] {
        QHash<quint16, QString> glyphs{
            {36, QStringLiteral("\u21A9")},  {48, QStringLiteral("\u21E5")},  {49, QStringLiteral("\u23B5")},
            {51, QStringLiteral("\u232B")},  {53, QStringLiteral("\u238B")},  {55, QStringLiteral("\u2318")},
            {56, QStringLiteral("\u21E7")},  {57, QStringLiteral("\u21EA")},  {58, QStringLiteral("\u2325")},
            {59, QStringLiteral("\u2303")},  {60, QStringLiteral("\u21E7")},  {61, QStringLiteral("\u2325")},
            {62, QStringLiteral("\u2303")},  {63, QStringLiteral("\u2318")},  {117, QStringLiteral("\u2326")},
            {115, QStringLiteral("\u2196")}, {119, QStringLiteral("\u2198")}, {116, QStringLiteral("\u21DE")},
            {121, QStringLiteral("\u21DF")}, {125, QStringLiteral("\u2193")}, {123, QStringLiteral("\u2190")},
            {124, QStringLiteral("\u2192")}, {126, QStringLiteral("\u2191")},
        };
        glyphs.insert(72, QString::fromUtf8("\xF0\x9F\x94\x8A"));
        glyphs.insert(73, QString::fromUtf8("\xF0\x9F\x94\x88"));
        glyphs.insert(74, QString::fromUtf8("\xF0\x9F\x94\x87"));
        const std::pair<quint16, int> functionKeys[] = {
            {122, 1},  {120, 2},  {99, 3},   {118, 4},  {96, 5},   {97, 6},   {98, 7},
            {100, 8},  {101, 9},  {109, 10}, {103, 11}, {111, 12}, {105, 13}, {107, 14},
            {113, 15}, {106, 16}, {64, 17},  {79, 18},  {80, 19},  {90, 20},
        };
        for (const auto &[code, number] : functionKeys)
            glyphs.insert(code, QStringLiteral("F%1").arg(number));
        return glyphs;
    }();
    return table;
}

} // namespace

QString KeyStrings::glyphForKeyCode(quint16 keyCode)
{
    return glyphTable().value(keyCode);
}

QString KeyStrings::keyStringForKeyCode(quint16 keyCode, quint64 modifierFlags, const KeyboardLayout *layout)
{
    static const std::pair<quint64, const char16_t *> modifierGlyphs[] = {
        {ZnHotKey::ControlKeyMask, u"\u2303"},
        {ZnHotKey::AlternateKeyMask, u"\u2325"},
        {ZnHotKey::ShiftKeyMask, u"\u21E7"},
        {ZnHotKey::CommandKeyMask, u"\u2318"},
    };
    QString text;
    for (const auto &[mask, glyph] : modifierGlyphs) {
        if (modifierFlags & mask)
            text += QString::fromUtf16(glyph);
    }
    if (isModifierKey(keyCode))
        return text;
    const QString glyph = glyphForKeyCode(keyCode);
    if (!glyph.isEmpty())
        return text + glyph;
    if (layout)
        text += layout->charactersForKeyCode(keyCode, maxLayoutUnits).left(maxLayoutUnits);
    return text;
}
