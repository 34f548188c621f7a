#include "app/DesktopEntry.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char *what;
    QByteArray data;
    QString name;
    QString locale = {};
    QString startupWMClass = {};
    bool noDisplay = false;
    bool hidden = false;
};

TEST(DesktopEntry, ReadsTheMainGroupOnly)
{
    const QByteArray head = "[Desktop Entry]\n";
    const ParseCase cases[] = {
        {"plain", head + "Type=Application\nName=Alpha\nStartupWMClass=AlphaWin\n", "Alpha", {}, "AlphaWin"},
        {"spaces around '=' and CRLF lines",
         "[Desktop Entry]\r\nName = Alpha \r\nNoDisplay= true\r\n",
         "Alpha",
         {},
         {},
         true},
        {"comments and blank lines", "# a comment\n\n" + head + "# Name=Commented\nName=Alpha\n", "Alpha"},
        {"an action group's keys are not the application's",
         head + "Name=Alpha\n[Desktop Action new]\nName=New Window\nStartupWMClass=Other\n", "Alpha"},
        {"a repeated key keeps its first value", head + "Name=First\nName=Second\n", "First"},
        {"escapes", head + "Name=\\sA\\\\B\\tC\\qD\\\n", " A\\B\tCqD\\"},
        {"translation for language and country", head + "Name=Alpha\nName[de]=Alfa\nName[de_AT]=Alfa AT\n",
         "Alfa AT", "de_AT"},
        {"translation for the language", head + "Name=Alpha\nName[de]=Alfa\n", "Alfa", "de_DE"},
        {"no translation for the locale", head + "Name=Alpha\nName[fr]=Alpha FR\n", "Alpha", "de_DE"},
        {"old style and false booleans", head + "Hidden=1\nNoDisplay=false\n", {}, {}, {}, false, true},
        {"lines without '=' or key are skipped", head + "=value\nName\nName=Alpha\n", "Alpha"},
        {"a header without its bracket closes the group", head + "Name=Alpha\n[Desktop Entry\nHidden=true\n",
         "Alpha"},
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
