#include "osc/Message.h"

#include <gtest/gtest.h>

namespace {

TEST(OscTextForm, ReadsTheExamplesAndFailsOnEmptyTextIllegalAddressOrUnbalancedQuotes)
{
    for (const char *text : {"", "   \n", "a/b 1", "/a#b 1", "/a \"x", "/a \"x\" \"y"})
        EXPECT_FALSE(osc::Message::messageWithString(QString::fromUtf8(text))) << text;
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
}

} // namespace
