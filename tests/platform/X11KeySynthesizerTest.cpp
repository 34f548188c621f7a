#include "X11FocusedWindow.h"

#include "platform/x11/XTestKeySynthesizer.h"

#include <gtest/gtest.h>

namespace {

using namespace x11test;

TEST(XTestKeySynthesizer, FocusedWindowReceivesEscapeDownThenUp)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display; run under scripts/with-test-services";
    Connection c(xcb_connect(nullptr, nullptr));
    ASSERT_EQ(xcb_connection_has_error(c.get()), 0);
    FocusedWindow window(c.get());
    ASSERT_TRUE(window.mapAndFocus());
    const int escape = escapeKeycode(c.get());
    ASSERT_NE(escape, 0);

    XTestKeySynthesizer synthesizer;
    ASSERT_TRUE(synthesizer.postEscape(true)) << synthesizer.errorString().toStdString();
    EXPECT_EQ(window.nextKey(), std::make_pair(int(XCB_KEY_PRESS), escape));
    ASSERT_TRUE(synthesizer.postEscape(false)) << synthesizer.errorString().toStdString();
    EXPECT_EQ(window.nextKey(), std::make_pair(int(XCB_KEY_RELEASE), escape));
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
