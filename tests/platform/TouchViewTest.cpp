#include "platform/touchbar/TouchView.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class RecordingView : public TouchView {
public:
    struct Phase {
        char phase;
        TouchList touches;
    };
    QList<Phase> phases;

protected:
    void touchesBegan(const TouchList &touches) override { phases.append({'b', touches}); }
    void touchesMoved(const TouchList &touches) override { phases.append({'m', touches}); }
    void touchesEnded(const TouchList &touches) override { phases.append({'e', touches}); }
    void touchesCancelled(const TouchList &touches) override { phases.append({'c', touches}); }
};

class TouchViewTest : public ::testing::Test {
protected:
    RecordingView view;

    void SetUp() override
    {
        view.setPointScale(2.0);
        view.resize(200, 60);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
};

TEST_F(TouchViewTest, MouseIsOneDirectTouchInPoints)
{
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(40, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 30), view.mapToGlobal(QPointF(60, 30)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(80, 40));

    ASSERT_EQ(view.phases.size(), 3);
    const QPointF expected[] = {{20, 10}, {30, 15}, {40, 20}};
    const char phases[] = {'b', 'm', 'e'};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(view.phases[i].phase, phases[i]);
        ASSERT_EQ(view.phases[i].touches.size(), 1);
        EXPECT_EQ(view.phases[i].touches[0].identity, TouchView::mouseTouchIdentity);
        EXPECT_TRUE(view.phases[i].touches[0].direct);
        EXPECT_EQ(view.phases[i].touches[0].location, expected[i]);
    }
}

TEST_F(TouchViewTest, EachFingerKeepsItsOwnIdentity)
{
    QPointingDevice *screen = QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    QTest::touchEvent(&view, screen).press(1, QPoint(20, 20)).press(2, QPoint(100, 20));
    QTest::touchEvent(&view, screen).move(1, QPoint(30, 20)).stationary(2);
    QTest::touchEvent(&view, screen).stationary(1).release(2, QPoint(100, 20));
    QTest::touchEvent(&view, screen).release(1, QPoint(30, 20));

    ASSERT_EQ(view.phases.size(), 4);
    const TouchList &began = view.phases[0].touches;
    EXPECT_EQ(view.phases[0].phase, 'b');
    ASSERT_EQ(began.size(), 2);
    const quint64 first = began[0].identity, second = began[1].identity;
    EXPECT_NE(first, second);
    EXPECT_NE(first, TouchView::mouseTouchIdentity);
    EXPECT_TRUE(began[0].direct);
    EXPECT_EQ(began[1].location, QPointF(50, 10));
    // A finger that did not move is not reported.
    const std::pair<char, quint64> later[] = {{'m', first}, {'e', second}, {'e', first}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(view.phases[i + 1].phase, later[i].first);
        ASSERT_EQ(view.phases[i + 1].touches.size(), 1);
        EXPECT_EQ(view.phases[i + 1].touches[0].identity, later[i].second);
    }
    EXPECT_EQ(view.phases[1].touches[0].location, QPointF(15, 10));
}

TEST_F(TouchViewTest, OtherMouseButtonsAreNoTouchAndTouchpadTouchesAreNotDirect)
{
    QTest::mousePress(&view, Qt::RightButton, {}, QPoint(40, 20));
    QTest::mouseRelease(&view, Qt::RightButton, {}, QPoint(40, 20));
    EXPECT_TRUE(view.phases.isEmpty());
    QPointingDevice *pad = QTest::createTouchDevice(QInputDevice::DeviceType::TouchPad);
    QTest::touchEvent(&view, pad).press(7, QPoint(20, 20));
    QTest::touchEvent(&view, pad).release(7, QPoint(20, 20));
    ASSERT_FALSE(view.phases.isEmpty());
    EXPECT_FALSE(view.phases[0].touches[0].direct);
}

} // namespace
