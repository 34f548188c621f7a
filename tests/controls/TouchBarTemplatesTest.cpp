#include "controls/TouchBarTemplates.h"
#include "model/UserDefaults.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarArrangements.h"
#include "platform/touchbar/TouchBarDelegate.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList ids(const QStringList &names)
{
    QStringList result;
    for (const QString &name : names)
        result.append(QStringLiteral("xq.korvane.stripdeck.") + name);
    return result;
}

class NoItems : public TouchBarDelegate {
public:
    std::shared_ptr<TouchBarItem> makeItemForIdentifier(TouchBar &, const QString &) override
    {
        return nullptr;
    }
};

class TouchBarTemplatesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    TouchBarArrangements arrangements{defaults};
    NoItems delegate;
    TouchBarTemplates templates{&delegate, &arrangements};
};

// The 43 controls a user may place, in the palette's order: the bank, the strip and the buttons
// that live only in popovers are not among them.
QStringList allowedItems()
{
    QStringList names = {"slider1", "slider2", "slider3", "slider4"};
    const std::pair<const char *, int> numbered[] = {
        {"pad%1", 10}, {"4slider-group%1", 4}, {"2slider-group%1", 10}, {"8pad-group%1", 4}, {"3slider1button-group%1", 4}};
    for (const auto &[pattern, count] : numbered) {
        for (int n = 1; n <= count; ++n)
            names.append(QString::fromLatin1(pattern).arg(n));
    }
    names << "transport-group" << "play" << "pause" << "stop" << "record" << "esc" << "piano";
    return ids(names);
}

// The customization identifiers key the arrangements users store, so they must never change.
TEST_F(TouchBarTemplatesTest, UserTouchBarsHaveTheirIdentifiersDefaultAndAllowedItems)
{
    const QStringList full = ids({"slider1", "slider2", "4slider-group1", "8pad-group1", "transport-group"});
    const QStringList faders = ids({"slider1", "slider2", "slider3", "slider4"});
    const QStringList allowed = allowedItems();
    ASSERT_EQ(allowed.size(), 43);
    for (int n = 0; n < 9; ++n) {
        SCOPED_TRACE(n);
        TouchBar *bar = templates.userTouchBar(n);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->customizationIdentifier(),
                  n == 0 ? QStringLiteral("xq.korvane.stripdeck.customization.id")
                         : QStringLiteral("xq.korvane.stripdeck.customization-%1.id").arg(n));
        EXPECT_EQ(bar->itemIdentifiers(), n % 2 == 1 ? faders : full);
        EXPECT_EQ(bar->customizationAllowedItemIdentifiers(), allowed);
        EXPECT_EQ(templates.userTouchBar(n), bar);
    }
    EXPECT_EQ(templates.userTouchBar(-1), nullptr);
    EXPECT_EQ(templates.userTouchBar(9), nullptr);
}

// Group buttons store their group's name and open its bar by their tag.
TEST_F(TouchBarTemplatesTest, GroupButtonTagsOpenTheSharedGroupBars)
{
    const std::tuple<int, TouchBar *, const char *> cases[] = {
        {1, templates.fourFader(1), "4slider-group1"},
        {5, templates.eightButton(1), "8pad-group1"},
        {9, templates.transportGroup(), "transport-group"},
        {10, templates.threeFader1Button(1), "3slider1button-group1"},
        {14, templates.eightFaderGroup(), "8fader-item"},
        {15, templates.twoFader(1), "2slider-group1"},
        {24, templates.twoFader(10), "2slider-group10"},
    };
    for (const auto &[tag, bar, name] : cases) {
        SCOPED_TRACE(tag);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(templates.groupTouchBar(tag), bar);
        EXPECT_EQ(TouchBarTemplates::groupName(tag), name);
        EXPECT_EQ(TouchBarTemplates::groupNumber(name), tag);
    }
    for (int outside : {0, 25, -3}) {
        EXPECT_EQ(templates.groupTouchBar(outside), nullptr);
        EXPECT_TRUE(TouchBarTemplates::groupName(outside).isEmpty());
    }
}

} // namespace
