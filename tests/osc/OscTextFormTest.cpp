#include "osc/Message.h"
#include "osc/OSCAddressFormatter.h"
#include "osc/Server.h"

#include <gtest/gtest.h>

namespace {

TEST(OscTextForm, FailsOnEmptyTextIllegalAddressOrUnbalancedQuotes)
{
    for (const char *text : {"", "   \n", "a/b 1", "/a#b 1", "/a \"x", "/a \"x\" \"y"})
        EXPECT_FALSE(osc::Message::messageWithString(QString::fromUtf8(text))) << text;
}

TEST(OscTextForm, QuotesEscapesAndBlobs)
{
    const struct {
        const char *text;
        QVariantList arguments;
    } cases[] = {
        // The documented example; "AAE=" is the base64 of the bytes 0 and 1.
        {"  /q 1 2.5 \"x y\" #blobAAE=\n", {1, 2.5, QStringLiteral("x y"), QByteArray("\x00\x01", 2)}},
        {R"(/q "say \"hi\"")", {QStringLiteral("say \"hi\"")}},
        {R"(/q \")", {QStringLiteral("\"")}},
        {R"(/q "" word)", {QString(), QStringLiteral("word")}},
        {"/q #blob #blob!!! -7", {-7}},
        {"/q 1e3 -0.5 12abc", {1000.0, -0.5, QStringLiteral("12abc")}},
        // Integers travel in 32 bits; the message keeps what it sends.
        {"/q 4294967297", {1}},
    };
    for (const auto &c : cases) {
        const auto message = osc::Message::messageWithString(QString::fromUtf8(c.text));
        ASSERT_TRUE(message) << c.text;
        EXPECT_EQ(message->argumentList(), c.arguments) << c.text;
        // The bytes tell the types apart, which the list's comparison does not.
        EXPECT_EQ(message->packetData(), osc::Message(QStringLiteral("/q"), c.arguments).packetData())
            << c.text;
    }
}

TEST(OscTextForm, AsQSCReadsBackToTheSameMessage)
{
    const osc::Message messages[] = {
        osc::Message(QStringLiteral("/m"), {1, 2.5, QStringLiteral("x \"y\" z"), QByteArray("\xff\x00", 2)}),
        osc::Message(QStringLiteral("/whole/float"), {1.0, float(0.1), -3}),
        osc::Message(QStringLiteral("/empty"), {}),
    };
    for (const osc::Message &message : messages) {
        const QString text = message.asQSC();
        const auto parsed = osc::Message::messageWithString(text);
        ASSERT_TRUE(parsed) << text.toStdString();
        EXPECT_EQ(parsed->packetData(), message.packetData()) << text.toStdString();
    }
    EXPECT_EQ(messages[0].asQSC(), QStringLiteral(R"(/m 1 2.5 "x \"y\" z" #blob/wA=)"));
    EXPECT_EQ(
        osc::Message(QStringLiteral("/d"), {7, QStringLiteral("s"), QByteArray("\x01", 1)}).description(),
        QStringLiteral("/d 7 \"s\" <01>"));
}

TEST(OscAddressValidation, AddressesComponentsAndMethods)
{
    struct Case {
        const char *text;
        bool address, component, method;
    };
    const std::vector<Case> cases = {
        {"/mixer/fader1", true, true, false},  {"mixer/fader1", false, true, false},
        {"/mixer fader", false, false, false}, {"/a*?[]{,}", true, true, false},
        {"fader1", false, true, true},         {"", false, false, true},
        {"#x", false, false, false},           {"/é", false, false, false},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(osc::Message::legalAddress(text), c.address) << c.text;
        EXPECT_EQ(osc::Message::legalAddressComponent(text), c.component) << c.text;
        EXPECT_EQ(osc::Message::legalMethod(text), c.method) << c.text;
    }
    for (const QChar pattern : QStringLiteral("*?[]{},")) {
        EXPECT_TRUE(osc::Message::legalAddress(QStringLiteral("/") + pattern)) << pattern.toLatin1();
        EXPECT_FALSE(osc::Message::legalMethod(QString(pattern))) << pattern.toLatin1();
    }
}

TEST(OscAddressValidation, MethodCharacterSetLeavesOutSeparatorsAndPatterns)
{
    const QString chars = osc::Server::validCharsForOSCMethod();
    for (const QChar excluded : QStringLiteral(" /#*,?[]{}"))
        EXPECT_FALSE(chars.contains(excluded)) << excluded.toLatin1();
    for (const QChar included : QStringLiteral("\"$%&'()+-.09:;<=>@AZ\\^_`az|~!"))
        EXPECT_TRUE(chars.contains(included)) << included.toLatin1();
}

TEST(OscAddressFormatter, CompletesTheSlashAndRefusesIllegalCharacters)
{
    struct Case {
        const char *typed;
        bool accepted;
        const char *replacement;
        bool error;
    };
    const std::vector<Case> cases = {
        {"/abc", true, "", false}, {"abc", false, "/abc", false}, {"", false, "/", false},
        {"/a#", false, "", true},  {"/a b", false, "", true},
    };
    for (const Case &c : cases) {
        const auto check = OSCAddressFormatter::isPartialStringValid(QString::fromUtf8(c.typed));
        EXPECT_EQ(check.accepted, c.accepted) << c.typed;
        EXPECT_EQ(check.replacement, QString::fromUtf8(c.replacement)) << c.typed;
        EXPECT_EQ(check.error, c.error ? QStringLiteral("this is not a valid OSC address") : QString())
            << c.typed;
    }
    EXPECT_EQ(OSCAddressFormatter::stringForObjectValue(QStringLiteral("/x")), QStringLiteral("/x"));
    EXPECT_FALSE(OSCAddressFormatter::stringForObjectValue(5));
}

} // namespace
