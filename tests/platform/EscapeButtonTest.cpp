#include "ControlRig.h"
#include "X11FocusedWindow.h"

#include "platform/x11/XTestKeySynthesizer.h"

namespace {

using namespace x11test;

// The escape button as the program makes it, pressed with a finger, acting as the Escape key
// of the window that has the focus.
class EscapeButton : public ControlRig {
protected:
    XTestKeySynthesizer keys;
};

TEST_F(EscapeButton, PressAndReleaseReachTheFocusedWindowAsEscape)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display; run under scripts/with-test-services";
    Connection c(xcb_connect(nullptr, nullptr));
    ASSERT_EQ(xcb_connection_has_error(c.get()), 0);
    FocusedWindow window(c.get());
    ASSERT_TRUE(window.mapAndFocus());
    const int escape = escapeKeycode(c.get());
    ASSERT_NE(escape, 0);

    app->controls().setKeySynthesizer(&keys);
    padButton *button = pad(QStringLiteral("esc"));
    ASSERT_NE(button, nullptr);
    QPointingDevice *screen = QTest::createTouchDevice();
    QTest::touchEvent(button, screen).press(0, QPoint(10, 10));
    EXPECT_EQ(window.nextKey(), std::make_pair(int(XCB_KEY_PRESS), escape));
    QTest::touchEvent(button, screen).release(0, QPoint(10, 10));
    EXPECT_EQ(window.nextKey(), std::make_pair(int(XCB_KEY_RELEASE), escape));
    EXPECT_TRUE(userBytes().isEmpty()) << "the button is a key, not a MIDI control";
}

} // namespace
