#include "X11FocusedWindow.h"

#include "platform/x11/XTestKeySynthesizer.h"

#include <gtest/gtest.h>

namespace {

using FocusedWindow = x11test::WithFocusedWindow<::testing::Test>;

TEST_F(FocusedWindow, ReceivesEscapeDownThenUpFromXTest)
{
    XTestKeySynthesizer synthesizer;
    ASSERT_TRUE(synthesizer.postEscape(true)) << synthesizer.errorString().toStdString();
    EXPECT_EQ(nextKey(), std::make_pair(int(XCB_KEY_PRESS), escape));
    ASSERT_TRUE(synthesizer.postEscape(false)) << synthesizer.errorString().toStdString();
    EXPECT_EQ(nextKey(), std::make_pair(int(XCB_KEY_RELEASE), escape));
}

TEST(XTestKeySynthesizer, WithoutADisplayFailsNamingTheCall)
{
    // No server listens on this display number.
    XTestKeySynthesizer synthesizer("127.0.0.1:4711");
    EXPECT_FALSE(synthesizer.postEscape(true));
    EXPECT_TRUE(synthesizer.errorString().startsWith("xcb_connect: "))
        << synthesizer.errorString().toStdString();
    EXPECT_FALSE(synthesizer.postEscape(false));
}

} // namespace
