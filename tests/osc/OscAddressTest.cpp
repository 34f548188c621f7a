#include "osc/Message.h"
#include "osc/OSCAddressFormatter.h"
#include "osc/Server.h"

#include <gtest/gtest.h>

namespace {

TEST(OscAddress, AddressComponentAndMethodCharactersAreCheckedApart)
{
    EXPECT_TRUE(osc::Message::legalAddress(u"/mixer/fader1"));
    EXPECT_FALSE(osc::Message::legalAddress(u"mixer/fader1"));
    EXPECT_TRUE(osc::Message::legalAddressComponent(u"mixer/fader1"));
    EXPECT_FALSE(osc::Message::legalAddress(u"/mixer fader"));
    EXPECT_FALSE(osc::Message::legalAddress(u""));
    EXPECT_FALSE(osc::Message::legalAddressComponent(u""));
    EXPECT_FALSE(osc::Message::legalAddress(u"/caf\u00e9"));
    EXPECT_TRUE(osc::Message::legalMethod(u""));
    // The pattern characters belong to addresses only.
    for (const QChar c : QStringLiteral("*?[]{},")) {
        EXPECT_TRUE(osc::Message::legalAddress(QStringLiteral("/a") + c)) << c.toLatin1();
        EXPECT_FALSE(osc::Message::legalMethod(QString(c))) << c.toLatin1();
    }
    for (const char *illegal : {" ", "#", "/"})
        EXPECT_FALSE(osc::Message::legalMethod(QString::fromLatin1(illegal))) << illegal;

    const QString method = osc::Server::validCharsForOSCMethod();
    EXPECT_EQ(method.size(), 85);
    for (const QChar c : method)
        EXPECT_TRUE(osc::Message::legalMethod(QString(c))) << int(c.unicode());
}

TEST(OscAddress, FormatterOffersTheLeadingSlashAndRefusesForeignCharacters)
{
    const struct {
        const char *typed;
        bool accepted;
        const char *replacement;
        const char *error;
    } cases[] = {
        {"/mixer/*", true, "", ""},
        {"abc", false, "/abc", ""},
        {"", false, "/", ""},
        {"/a#", false, "", "this is not a valid OSC address"},
        {"/a b", false, "", "this is not a valid OSC address"},
    };
    for (const auto &c : cases) {
        const auto check = OSCAddressFormatter::isPartialStringValid(QString::fromLatin1(c.typed));
        EXPECT_EQ(check.accepted, c.accepted) << c.typed;
        EXPECT_EQ(check.replacement, QString::fromLatin1(c.replacement)) << c.typed;
        EXPECT_EQ(check.error, QString::fromLatin1(c.error)) << c.typed;
    }
    // As the field's validator: typing into an empty field puts the slash in front.
    OSCAddressFormatter formatter;
    QString text = QStringLiteral("a");
    int position = 1;
    EXPECT_EQ(formatter.validate(text, position), QValidator::Acceptable);
    EXPECT_EQ(text, QStringLiteral("/a"));
    EXPECT_EQ(position, 2);
    text = QStringLiteral("/a#");
    EXPECT_EQ(formatter.validate(text, position), QValidator::Invalid);
    EXPECT_EQ(OSCAddressFormatter::stringForObjectValue(QStringLiteral("/x")), QStringLiteral("/x"));
    EXPECT_FALSE(OSCAddressFormatter::stringForObjectValue(7));
}

} // namespace
