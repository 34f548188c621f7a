#include "app/StatusMenu.h"
#include "AppDelegateTestSupport.h"

#include <array>

namespace {

using StatusMenuTest = AppDelegateFixture;

TEST_F(StatusMenuTest, HasTheTwentyThreeEntriesInOrder)
{
    QStringList titles; // "-" for a separator
    for (const auto &item : app.statusMenu().items())
        titles.append(item->isSeparator() ? QStringLiteral("-") : item->title());
    EXPECT_EQ(titles,
              QString::fromLatin1("Stripdeck (v. 0.1.0)|Show Stripdeck|Control Surface Mode|Surface Protocol|-|Midi Out|"
                                  "Midi In|-|Customize Touch Bar...|Customize Controls...|-|"
                                  "OSC Settings...|Key Commands...|Attach to Apps...|-|"
                                  "Load Touchbar Settings...|Save Touchbar Settings...|-|"
                                  "Check for Update...|Check for Update on launch|-|Reset Touch Bar|Quit")
                  .split(u'|'));
}

// The entries whose enabling depends on state, in the order of the rule table.
const char *const ruled[] = {"Check for Update...",       "Customize Controls...",
                             "Customize Touch Bar...",    "Load Touchbar Settings...",
                             "Save Touchbar Settings...", "Control Surface Mode"};

TEST_F(StatusMenuTest, EntriesAreEnabledByState)
{
    const struct {
        const char *name;
        bool editCCs;
        bool surface;
        bool checking;
        std::array<bool, 6> enabled;
    } rules[] = {{"idle", false, false, false, {true, true, true, true, true, true}},
                 {"editing controls", true, false, false, {true, false, false, false, false, false}},
                 {"control surface", false, true, false, {true, false, false, false, false, true}},
                 {"both", true, true, false, {true, false, false, false, false, false}},
                 {"checking for update", false, false, true, {false, true, true, true, true, true}}};
    for (const auto &rule : rules) {
        SCOPED_TRACE(rule.name);
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
}

} // namespace
