#include "app/KeyStrings.h"
#include "app/ZnHotKey.h"
#include "platform/x11/MacKeyCodes.h"
#include "platform/x11/XkbKeyboardLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr quint64 shift = ZnHotKey::ShiftKeyMask;
constexpr quint64 control = ZnHotKey::ControlKeyMask;
constexpr quint64 option = ZnHotKey::AlternateKeyMask;
constexpr quint64 command = ZnHotKey::CommandKeyMask;

QString keyString(const KeyboardLayout &layout, quint16 keyCode, quint64 flags)
{
    return KeyStrings::keyStringForKeyCode(keyCode, flags, &layout);
}

// Display strings through xkbcommon's real layouts, without an X server.
class KeyStringsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        us = XkbKeyboardLayout::fromNames(QStringLiteral("us"));
        de = XkbKeyboardLayout::fromNames(QStringLiteral("de"));
        if (!us || !de)
            GTEST_SKIP() << "xkbcommon finds no XKB layout data (package xkb-data)";
    }
    std::unique_ptr<XkbKeyboardLayout> us;
    std::unique_ptr<XkbKeyboardLayout> de;
};

TEST_F(KeyStringsTest, CombinationsReadAsThePlatformWritesThemInTheCurrentLayout)
{
    const struct {
        quint16 keyCode;
        quint64 flags;
        const char *expected;
    } cases[] = {
        {0, command | shift, "\u21E7\u2318a"}, // shift glyph before command glyph
        {96, option, "\u2325F5"},              // a glyph-table key
        {55, command, "\u2318"},               // a lone command key
        {56, shift, "\u21E7"},                 // a lone shift key, not twice
        {20, control | option | shift | command, "\u2303\u2325\u21E7\u23183"}, // all four, in order
        {48, option, "\u2325\u21E5"},                                          // Tab
        {123, 0, "\u2190"},
        {63, 0, "\u2318"},        // the function key's glyph
        {200, command, "\u2318"}, // no such key: only the modifiers
    };
    for (const auto &c : cases)
        EXPECT_EQ(keyString(*us, c.keyCode, c.flags), QString::fromUtf8(c.expected)) << c.keyCode;
    // The key right of T is Y on a US keyboard and Z on a German one.
    EXPECT_EQ(keyString(*us, 16, 0), QStringLiteral("y"));
    EXPECT_EQ(keyString(*de, 16, 0), QStringLiteral("z"));
    EXPECT_EQ(keyString(*de, 41, 0), QStringLiteral("\u00F6")) << "the US semicolon key";
    EXPECT_EQ(keyString(*de, 24, 0), QString()) << "a dead key appends nothing";
    EXPECT_EQ(KeyStrings::keyStringForKeyCode(0, command, nullptr), QStringLiteral("\u2318"));
}

TEST(MacKeyCodesTest, TableIsOneToOneAndPlacesKnownKeys)
{
    const std::pair<quint16, int> known[] = {
        {0, 38}, {48, 23}, {53, 9}, {55, 133}, {96, 71}, {126, 111},
    };
    for (const auto &[mac, x] : known)
        EXPECT_EQ(MacKeyCodes::xKeyCode(mac), std::optional<quint8>(quint8(x))) << mac;
    int mapped = 0;
    for (quint16 mac = 0; mac < 256; ++mac) {
        if (const auto x = MacKeyCodes::xKeyCode(mac)) {
            ++mapped;
            EXPECT_EQ(MacKeyCodes::macKeyCode(*x), mac) << "round trip of " << mac;
        }
    }
    EXPECT_GT(mapped, 100);
    EXPECT_FALSE(MacKeyCodes::xKeyCode(63)) << "the function key has no X key";
    EXPECT_FALSE(MacKeyCodes::macKeyCode(0));
}

} // namespace
