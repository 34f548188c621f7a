#include "app/DesktopEntry.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char *what;
    QByteArray data;
    QString locale;
    QString name;
    QString startupWMClass;
    bool noDisplay;
    bool hidden;
};

TEST(DesktopEntry, ReadsTheMainGroupOnly)
{
    const ParseCase cases[] = {
        {"plain",
         "[Desktop Entry]\nType=Application\nName=Alpha\nStartupWMClass=AlphaWin\n",
         {},
         "Alpha",
         "AlphaWin",
         false,
         false},
        {"spaces around '=' and CRLF lines",
         "[Desktop Entry]\r\nName = Alpha \r\nNoDisplay= true\r\n",
         {},
         "Alpha",
         {},
         true,
         false},
        {"comments and blank lines",
         "# a comment\n\n[Desktop Entry]\n# Name=Commented\nName=Alpha\n",
         {},
         "Alpha",
         {},
         false,
         false},
        {"an action group's keys are not the application's",
         "[Desktop Entry]\nName=Alpha\n[Desktop Action new]\nName=New Window\nStartupWMClass=Other\n",
         {},
         "Alpha",
         {},
         false,
         false},
        {"a repeated key keeps its first value",
         "[Desktop Entry]\nName=First\nName=Second\n",
         {},
         "First",
         {},
         false,
         false},
        {"escapes", "[Desktop Entry]\nName=\\sA\\\\B\\tC\\qD\\\n", {}, " A\\B\tCqD\\", {}, false, false},
        {"translation for language and country",
         "[Desktop Entry]\nName=Alpha\nName[de]=Alfa\nName[de_AT]=Alfa AT\n",
         "de_AT",
         "Alfa AT",
         {},
         false,
         false},
        {"translation for the language",
         "[Desktop Entry]\nName=Alpha\nName[de]=Alfa\n",
         "de_DE",
         "Alfa",
         {},
         false,
         false},
        {"no translation for the locale",
         "[Desktop Entry]\nName=Alpha\nName[fr]=Alpha FR\n",
         "de_DE",
         "Alpha",
         {},
         false,
         false},
        {"old style and false booleans",
         "[Desktop Entry]\nHidden=1\nNoDisplay=false\n",
         {},
         {},
         {},
         false,
         true},
        {"lines without '=' or key are skipped",
         "[Desktop Entry]\n=value\nName\nName=Alpha\n",
         {},
         "Alpha",
         {},
         false,
         false},
        {"a header without its bracket closes the group",
         "[Desktop Entry]\nName=Alpha\n[Desktop Entry\nHidden=true\n",
         {},
         "Alpha",
         {},
         false,
         false},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.what);
        const auto entry = DesktopEntry::parse(c.data, c.locale);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->name, c.name);
        EXPECT_EQ(entry->startupWMClass, c.startupWMClass);
        EXPECT_EQ(entry->noDisplay, c.noDisplay);
        EXPECT_EQ(entry->hidden, c.hidden);
    }
}

TEST(DesktopEntry, WithoutTheMainGroupThereIsNoEntry)
{
    for (const QByteArray &data :
         {QByteArray(), QByteArray("Name=Alpha\n"), QByteArray("[Other]\nName=Alpha\n"),
          QByteArray("\0\xff[Desktop Entry]", 17)}) {
        SCOPED_TRACE(data.toStdString());
        EXPECT_FALSE(DesktopEntry::parse(data).has_value());
    }
}

TEST(DesktopEntry, TypeTellsApplicationsFromLinks)
{
    EXPECT_TRUE(DesktopEntry::parse("[Desktop Entry]\nType=Application\n")->isApplication());
    EXPECT_FALSE(DesktopEntry::parse("[Desktop Entry]\nType=Link\n")->isApplication());
    EXPECT_FALSE(DesktopEntry::parse("[Desktop Entry]\nName=Untyped\n")->isApplication());
}

TEST(DesktopEntry, ReadsNoFurtherThanTheBound)
{
    QByteArray data = "[Desktop Entry]\nName=Alpha\n";
    data.append(QByteArray(DesktopEntry::maximumSize, '#'));
    data.append("\nHidden=true\n");
    const auto entry = DesktopEntry::parse(data);
    ASSERT_TRUE(entry.has_value());
    EXPECT_FALSE(entry->hidden) << "the key past the bound is not read";
}

} // namespace
