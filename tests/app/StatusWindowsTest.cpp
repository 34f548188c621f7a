#include "../platform/PlaceholderItemFactory.h"
#include "app/AppDelegate.h"
#include "model/UserDefaults.h"
#include "platform/qt/TrayStatusItem.h"
#include "platform/touchbar/StripTouchBarHost.h"
#include "platform/touchbar/StripWindow.h"
#include "platform/touchbar/TouchBar.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The real adapters on the offscreen platform: the menu as Qt shows it and the strip window.
class StatusWindowsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    TrayStatusItem statusItem;
    StripTouchBarHost host;
    AppDelegate app{defaults, statusItem, host};

    void SetUp() override
    {
        app.setItemFactory(std::make_unique<PlaceholderItemFactory>());
        app.applicationDidFinishLaunching();
    }

    QAction *action(const QString &title)
    {
        Q_EMIT statusItem.qmenu()->aboutToShow();
        for (QAction *candidate : statusItem.qmenu()->actions()) {
            if (candidate->text() == title)
                return candidate;
        }
        return nullptr;
    }

    QList<QWidget *> visibleWindows() const
    {
        QList<QWidget *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && !qobject_cast<QMenu *>(widget))
                windows.append(widget);
        }
        return windows;
    }
};

TEST_F(StatusWindowsTest, ShowEntryPresentsTheStripWithUserTouchBarZero)
{
    ASSERT_FALSE(statusItem.usesTray()) << "the offscreen platform has no tray";
    QAction *show = action(QStringLiteral("Show Stripdeck"));
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->shortcut(), QKeySequence(Qt::META | Qt::ALT | Qt::Key_Tab));
    EXPECT_FALSE(host.window()->isVisible());
    show->trigger();

    StripWindow *strip = host.window();
    EXPECT_TRUE(strip->isVisible());
    EXPECT_TRUE(strip->windowFlags().testFlags(Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint |
                                               Qt::FramelessWindowHint));
    EXPECT_EQ(strip->itemFrames().size(), 5) << "user touch bar 0 has five items";
    QAction *hide = action(QStringLiteral("Hide Stripdeck"));
    ASSERT_NE(hide, nullptr);
    hide->trigger();
    EXPECT_FALSE(strip->isVisible());
}

} // namespace
