#include "app/StatusMenu.h"
#include "AppDelegateTestSupport.h"

#include <QSignalSpy>

#include <array>

namespace {

using StatusMenuTest = AppDelegateFixture;

TEST_F(StatusMenuTest, HasTheTwentyTwoEntriesInOrder)
{
    const QString tab = QStringLiteral("\t");
    struct Row {
        const char *title; // null for a separator
        QString key;
        quint32 modifiers;
    };
    const quint32 none = MenuItem::CommandModifier;
    const Row rows[] = {
        {"Stripdeck (v. 0.1.0)", {}, none},
        {"Show Stripdeck", tab, MenuItem::CommandModifier | MenuItem::OptionModifier},
        {"Control Surface Mode", tab, MenuItem::OptionModifier},
        {nullptr, {}, none},
        {"Midi Out", {}, none},
        {"Midi In", {}, none},
        {nullptr, {}, none},
        {"Customize Touch Bar...", {}, none},
        {"Customize Controls...", {}, none},
        {nullptr, {}, none},
        {"OSC Settings...", {}, none},
        {"Key Commands...", {}, none},
        {"Attach to Apps...", {}, none},
        {nullptr, {}, none},
        {"Load Touchbar Settings...", {}, none},
        {"Save Touchbar Settings...", {}, none},
        {nullptr, {}, none},
        {"Check for Update...", {}, none},
        {"Check for Update on launch", {}, none},
        {nullptr, {}, none},
        {"Reset Touch Bar", {}, none},
        {"Quit", {}, none},
    };
    const auto &items = app.statusMenu().items();
    ASSERT_EQ(items.size(), 22);
    for (int i = 0; i < 22; ++i) {
        SCOPED_TRACE(i + 1);
        const MenuItem &item = *items[i];
        EXPECT_EQ(item.isSeparator(), rows[i].title == nullptr);
        if (!rows[i].title)
            continue;
        EXPECT_EQ(item.title(), QString::fromLatin1(rows[i].title));
        EXPECT_EQ(item.keyEquivalent(), rows[i].key);
        if (!rows[i].key.isEmpty()) {
            EXPECT_EQ(item.keyEquivalentModifierMask(), rows[i].modifiers);
        }
    }
    EXPECT_FALSE(items[0]->isEnabled());
    EXPECT_EQ(items[4]->submenu(), app.midiOutSubMenu());
    EXPECT_EQ(items[5]->submenu(), app.midiInSubMenu());
}

// The entries whose enabling depends on state, in the order of the rule table.
const char *const ruled[] = {"Check for Update...",       "Customize Controls...",
                             "Customize Touch Bar...",    "Load Touchbar Settings...",
                             "Save Touchbar Settings...", "Control Surface Mode"};

struct Rule {
    const char *name;
    bool editCCs;
    bool surface;
    bool checking;
    std::array<bool, 6> enabled;
};

class StatusMenuRules : public AppDelegateFixture, public ::testing::WithParamInterface<Rule> {};

TEST_P(StatusMenuRules, EnableEntriesByState)
{
    const Rule &rule = GetParam();
    app.presentation().setEditCCs(rule.editCCs);
    app.presentation().setControlSurfadeMode(rule.surface);
    app.setCheckingForUpate(rule.checking);
    app.statusMenu().aboutToOpen();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(entry(QString::fromLatin1(ruled[i]))->isEnabled(), rule.enabled[i]) << ruled[i];
    EXPECT_EQ(entry(QStringLiteral("Control Surface Mode"))->state(), rule.surface);
    for (const char *always :
         {"Show Stripdeck", "OSC Settings...", "Key Commands...", "Attach to Apps...",
          "Check for Update on launch", "Reset Touch Bar", "Quit", "Midi Out", "Midi In"})
        EXPECT_TRUE(entry(QString::fromLatin1(always))->isEnabled()) << always;
}

INSTANTIATE_TEST_SUITE_P(
    States, StatusMenuRules,
    ::testing::Values(Rule{"Idle", false, false, false, {true, true, true, true, true, true}},
                      Rule{"EditingControls", true, false, false, {true, false, false, false, false, false}},
                      Rule{"ControlSurface", false, true, false, {true, false, false, false, false, true}},
                      Rule{"Both", true, true, false, {true, false, false, false, false, false}},
                      Rule{"CheckingForUpdate", false, false, true, {false, true, true, true, true, true}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(StatusMenuTest, DisabledEntriesDoNothing)
{
    app.presentation().setEditCCs(true);
    app.presentation().setEditTouchBar(false);
    opened(QStringLiteral("Customize Touch Bar..."))->trigger();
    EXPECT_FALSE(app.presentation().editTouchBar());
    EXPECT_EQ(host.paletteBar(), nullptr);
}

TEST_F(StatusMenuTest, StartupCheckEntryShowsAndFlipsTheStoredChoice)
{
    EXPECT_FALSE(opened(QStringLiteral("Check for Update on launch"))->state());
    entry(QStringLiteral("Check for Update on launch"))->trigger();
    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("CheckForUpdate")));
    EXPECT_TRUE(opened(QStringLiteral("Check for Update on launch"))->state());
    entry(QStringLiteral("Check for Update on launch"))->trigger();
    EXPECT_FALSE(opened(QStringLiteral("Check for Update on launch"))->state());
}

TEST_F(StatusMenuTest, EntriesOfLaterWindowsAnnounceTheirRequest)
{
    QSignalSpy load(&app, &AppDelegate::loadSettingsRequested);
    QSignalSpy save(&app, &AppDelegate::saveSettingsRequested);
    QSignalSpy update(&app, &AppDelegate::checkForUpdateRequested);
    opened(QStringLiteral("Load Touchbar Settings..."))->trigger();
    opened(QStringLiteral("Save Touchbar Settings..."))->trigger();
    opened(QStringLiteral("Check for Update..."))->trigger();
    EXPECT_EQ(load.count(), 1);
    EXPECT_EQ(save.count(), 1);
    EXPECT_EQ(update.count(), 1);
}

TEST_F(StatusMenuTest, ShowAndModeEntriesDriveThePresentation)
{
    opened(QStringLiteral("Show Stripdeck"))->trigger();
    EXPECT_EQ(presented(), userDefaults(0));
    EXPECT_NE(opened(QStringLiteral("Hide Stripdeck")), nullptr);
    opened(QStringLiteral("Control Surface Mode"))->trigger();
    EXPECT_TRUE(opened(QStringLiteral("Control Surface Mode"))->state());
    EXPECT_EQ(presented(), stripGroup());
    opened(QStringLiteral("Hide Stripdeck"))->trigger();
    EXPECT_EQ(host.presentedBar(), nullptr);
}

} // namespace
