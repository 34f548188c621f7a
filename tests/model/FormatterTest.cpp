#include "model/midiFormatter.h"
#include "model/rangeFormater.h"

#include <QLocale>

#include <limits>

#include <gtest/gtest.h>

namespace {

TEST(midiFormatter, NamesNotesWithMiddleCAsC3)
{
    const midiFormatter formatter;
    const std::pair<int, const char *> cases[] = {{60, "C3"},  {61, "C#3"}, {0, "C-2"},
                                                  {127, "G8"}, {23, "B-1"}, {-1, "B-3"}};
    for (const auto &[note, name] : cases)
        EXPECT_EQ(formatter.stringForObjectValue(note), QString::fromLatin1(name)) << note;
    EXPECT_FALSE(formatter.stringForObjectValue(QStringLiteral("60")));
}

TEST(midiFormatter, ParsesNamesAndFailsWithoutTextExceptForTheOctave)
{
    const midiFormatter formatter;
    const std::pair<const char *, int> good[] = {{"C3", 60},  {"C#3", 61}, {"C-2", 0},   {"E#3", 65},
                                                 {"C-0", 24}, {"C0", 24},  {"G#8", 128}, {"B8", 131}};
    for (const auto &[name, note] : good) {
        const auto parsed = formatter.getObjectValue(QString::fromLatin1(name));
        EXPECT_TRUE(parsed.ok) << name;
        EXPECT_EQ(parsed.note, note) << name;
    }
    for (const char *name : {"c3", "C", "C#-", "#C3", "H3", "C##3", "C3#", ""}) {
        const auto parsed = formatter.getObjectValue(QString::fromLatin1(name));
        EXPECT_FALSE(parsed.ok) << name;
        EXPECT_TRUE(parsed.errorDescription.isEmpty()) << name;
    }
    const auto badOctave = formatter.getObjectValue(QStringLiteral("C9"));
    EXPECT_FALSE(badOctave.ok);
    EXPECT_EQ(badOctave.errorDescription, QStringLiteral("this is not a midi key...!"));
}

class RangeFormaterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        m_formatter.setMinimum(0);
        m_formatter.setMaximum(127);
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    rangeFormater m_formatter;
};

TEST_F(RangeFormaterTest, WholeNumbersOrFractionsWithTheLocaleSeparatorWithinTheRange)
{
    const struct {
        const char *text;
        bool valid;
        const char *replacement; // nullptr: no replacement offered
    } whole[] = {{"12", true, nullptr},
                 {"", true, nullptr},
                 {"128", false, "127"},
                 {"1.5", false, nullptr},
                 {"-1", false, nullptr}};
    for (const auto &c : whole) {
        const auto check = m_formatter.isPartialStringValid(QString::fromLatin1(c.text));
        EXPECT_EQ(check.valid, c.valid) << c.text;
        EXPECT_EQ(check.newEditingString,
                  c.replacement ? std::optional(QString::fromLatin1(c.replacement)) : std::nullopt)
            << c.text;
    }
    m_formatter.setMinimum(10);
    EXPECT_EQ(m_formatter.isPartialStringValid(QStringLiteral("5")).newEditingString, QStringLiteral("10"));

    m_formatter.setMinimum(0);
    m_formatter.setAcceptFloat(true);
    for (const char *text : {"0.", "0.5"})
        EXPECT_TRUE(m_formatter.isPartialStringValid(QString::fromLatin1(text)).valid) << text;
    for (const char *text : {"0.5.1", "0,5"})
        EXPECT_FALSE(m_formatter.isPartialStringValid(QString::fromLatin1(text)).valid) << text;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_TRUE(m_formatter.isPartialStringValid(QStringLiteral("0,5")).valid);
    EXPECT_FALSE(m_formatter.isPartialStringValid(QStringLiteral("0.5")).valid);
    EXPECT_FALSE(m_formatter.isPartialStringValid(QStringLiteral("127,5")).valid);
}

TEST_F(RangeFormaterTest, TheLargestFloatAsBoundIsReplacedByItsWholeNumber)
{
    m_formatter.setAcceptFloat(true);
    m_formatter.setMaximum(std::numeric_limits<float>::max());
    const auto tooLarge = m_formatter.isPartialStringValid(QStringLiteral("1") + QString(40, u'0'));
    EXPECT_FALSE(tooLarge.valid);
    EXPECT_EQ(tooLarge.newEditingString, QStringLiteral("340282346638528859811704183484516925440"));
}

} // namespace
