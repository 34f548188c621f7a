#include "ControlRig.h"
#include "X11FocusedWindow.h"

#include "platform/x11/XTestKeySynthesizer.h"

namespace {

// The escape button as the program makes it, pressed with a finger, acting as the Escape key
// of the window that has the focus.
class EscapeButton : public x11test::WithFocusedWindow<ControlRig> {
protected:
    XTestKeySynthesizer keys;
};

TEST_F(EscapeButton, PressAndReleaseReachTheFocusedWindowAsEscape)
{
    app->controls().setKeySynthesizer(&keys);
    padButton *button = pad(QStringLiteral("esc"));
    ASSERT_NE(button, nullptr);
    QPointingDevice *screen = QTest::createTouchDevice();
    QTest::touchEvent(button, screen).press(0, QPoint(10, 10));
    EXPECT_EQ(nextKey(), std::make_pair(int(XCB_KEY_PRESS), escape));
    QTest::touchEvent(button, screen).release(0, QPoint(10, 10));
    EXPECT_EQ(nextKey(), std::make_pair(int(XCB_KEY_RELEASE), escape));
    EXPECT_TRUE(userBytes().isEmpty()) << "the button is a key, not a MIDI control";
}

} // namespace
