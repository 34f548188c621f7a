#include "platform/qt/TrayStatusItem.h"
#include "model/Menu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QAction *actionTitled(QMenu *menu, const QString &title)
{
    const auto actions = menu->actions();
    const auto found =
        std::find_if(actions.begin(), actions.end(), [&](QAction *a) { return a->text() == title; });
    return found == actions.end() ? nullptr : *found;
}

void open(QMenu *menu)
{
    menu->popup(QPoint(10, 10));
    menu->hide();
}

// The status menu of a model that changes between openings: entries are made once and kept up
// to date; a submenu whose items change gets new entries, and the old ones are freed.
TEST(TrayStatusItem, MenuIsBuiltOnceAndKeptUpToDateAndReplacedEntriesAreFreed)
{
    bool surfaceMode = false;
    Menu model;
    auto mode = std::make_shared<MenuItem>(QStringLiteral("Control Surface Mode"));
    model.addItem(mode);
    auto devices = std::make_shared<Menu>();
    devices->addItem(std::make_shared<MenuItem>(QStringLiteral("None")));
    auto midiOut = std::make_shared<MenuItem>(QStringLiteral("Midi Out"));
    midiOut->setSubmenu(devices);
    model.addItem(midiOut);
    int quits = 0;
    model.addItem(std::make_shared<MenuItem>(QStringLiteral("Quit"), [&](MenuItem &) { ++quits; }));
    model.setValidator([&](Menu &) {
        mode->setState(surfaceMode);
        mode->setEnabled(!surfaceMode);
    });

    TrayStatusItem item;
    item.setMenu(&model);
    QMenu *menu = item.qmenu();
    QPointer<QAction> quit = actionTitled(menu, QStringLiteral("Quit"));
    ASSERT_TRUE(quit);
    QAction *midiOutAction = actionTitled(menu, QStringLiteral("Midi Out"));
    ASSERT_TRUE(midiOutAction && midiOutAction->menu());
    QPointer<QMenu> submenu = midiOutAction->menu();
    const qsizetype menusBefore = menu->findChildren<QMenu *>().size();

    for (int opening = 0; opening < 5; ++opening) {
        surfaceMode = opening % 2 == 1;
        open(menu);
        QAction *modeAction = actionTitled(menu, QStringLiteral("Control Surface Mode"));
        ASSERT_TRUE(modeAction);
        EXPECT_EQ(modeAction->isChecked(), surfaceMode) << opening;
        EXPECT_EQ(modeAction->isEnabled(), !surfaceMode) << opening;
    }
    EXPECT_EQ(actionTitled(menu, QStringLiteral("Quit")), quit.data()) << "the entries are made once";
    EXPECT_EQ(actionTitled(menu, QStringLiteral("Midi Out"))->menu(), submenu.data());
    EXPECT_EQ(menu->findChildren<QMenu *>().size(), menusBefore) << "no menu is made per opening";
    quit->trigger();
    EXPECT_EQ(quits, 1);

    // The devices changed: the submenu shows the new ones, and the entries it had are freed.
    open(submenu);
    QPointer<QAction> none = actionTitled(submenu, QStringLiteral("None"));
    ASSERT_TRUE(none);
    devices->removeAllItems();
    devices->addItem(std::make_shared<MenuItem>(QStringLiteral("Synth")));
    open(submenu);
    EXPECT_TRUE(actionTitled(submenu, QStringLiteral("Synth")));
    EXPECT_FALSE(none) << "the replaced entry is freed";
}

} // namespace
