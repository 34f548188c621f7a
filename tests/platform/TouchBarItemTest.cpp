#include "platform/touchbar/TouchBarItem.h"
#include "platform/touchbar/TouchView.h"

#include <QEventLoop>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A view whose release runs an action that may drop the view's own item, as a popover's close
// button does, and then goes on with its own state, as every button does after its action.
class ActingView : public TouchView {
public:
    std::function<void()> action;
    bool *aliveAfterAction = nullptr;

protected:
    void touchesEnded(const TouchList &) override
    {
        const QPointer<ActingView> self(this);
        action();
        *aliveAfterAction = !self.isNull();
        if (self)
            update();
    }
};

class TouchBarItemTest : public ::testing::Test {
protected:
    std::shared_ptr<TouchBarItem> item =
        std::make_shared<TouchBarItem>(QStringLiteral("xq.korvane.stripdeck.close"));
    ActingView *view = new ActingView;
    QPointer<ActingView> watched{view};
    bool aliveAfterAction = false;

    void SetUp() override
    {
        item->setView(view);
        view->aliveAfterAction = &aliveAfterAction;
        view->action = [this] { item.reset(); };
        view->resize(72, 30);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    }
};

TEST_F(TouchBarItemTest, ViewWhoseActionDropsItsItemOutlivesTheEventItHandles)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(10, 10));
        loop.quit();
    });
    loop.exec();
    EXPECT_EQ(item, nullptr) << "the action ran";
    EXPECT_TRUE(aliveAfterAction) << "the view was deleted under its own event handler";
    ASSERT_FALSE(watched.isNull());
    EXPECT_FALSE(watched->isVisible()) << "a dropped view leaves the screen at once";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull()) << "the view goes once control is back in the event loop";
}

TEST_F(TouchBarItemTest, DroppedOrReplacedViewsLeaveTheScreenAtOnceAndGoLater)
{
    QPointer<QWidget> replacement = new ActingView;
    item->setView(replacement);
    replacement->show();
    ASSERT_FALSE(watched.isNull());
    EXPECT_FALSE(watched->isVisible());
    item.reset();
    ASSERT_FALSE(replacement.isNull());
    EXPECT_FALSE(replacement->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(replacement.isNull());
}

} // namespace
