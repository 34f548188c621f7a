#include "platform/touchbar/TouchBarItem.h"
#include "platform/touchbar/TouchView.h"

#include <QEventLoop>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A view whose release drops its own item, as a popover's close button does, and then goes
// on with its own state, as every button does after its action.
class SelfDroppingView : public TouchView {
public:
    std::shared_ptr<TouchBarItem> item;
    bool aliveAfterAction = false;

protected:
    void touchesEnded(const TouchList &) override
    {
        const QPointer<SelfDroppingView> self(this);
        item.reset();
        aliveAfterAction = !self.isNull();
        if (self)
            update();
    }
};

TEST(TouchBarItem, ViewWhoseActionDropsItsItemOutlivesTheEventItHandles)
{
    auto *view = new SelfDroppingView;
    const QPointer<SelfDroppingView> watched(view);
    view->item = std::make_shared<TouchBarItem>(QStringLiteral("xq.korvane.stripdeck.close"));
    view->item->setView(view);
    view->resize(72, 30);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(10, 10));
        loop.quit();
    });
    loop.exec();
    ASSERT_FALSE(watched.isNull()) << "the view was deleted under its own event handler";
    EXPECT_EQ(view->item, nullptr) << "the action ran";
    EXPECT_TRUE(view->aliveAfterAction);
    EXPECT_FALSE(watched->isVisible()) << "a dropped view leaves the screen at once";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull()) << "the view goes once control is back in the event loop";
}

} // namespace
