#include "ControlRig.h"

#include "model/ColorArchive.h"

namespace {

using ItemFactoryTest = ControlRig;

TEST_F(ItemFactoryTest, GroupFadersReadTheGroupRecordOfTheShownTouchBar)
{
    store("slider1", record("ctrl", 11, 2, 0, 127), "4slider-group1", 3);
    store("slider1", record("ctrl", 22, 5, 0, 127), "4slider-group1", 0);
    app->presentation().setLastCreatedBar(ControlCatalog::identifier("4slider-group1"));
    app->presentation().setUserTouchbarNumber(3);
    midiSlider *onThree = fader("popup.slider1");
    app->presentation().setUserTouchbarNumber(0);
    midiSlider *onZero = fader("popup.slider1");
    ASSERT_TRUE(onThree && onZero);
    EXPECT_EQ(onThree->ctrlNumber(), 11);
    EXPECT_EQ(onThree->channelNumber(), 2);
    EXPECT_EQ(onZero->ctrlNumber(), 22);
    EXPECT_EQ(onZero->groupIdentifier(), ControlCatalog::identifier("4slider-group1"));
}

TEST_F(ItemFactoryTest, AStoredColourWinsOverTheGroupsColour)
{
    QVariantMap coloured = record("ctrl", 1, 1, 0, 127);
    coloured.insert("color", ColorArchive::archive(Qt::red));
    store("pad1", coloured, "3slider1button-group2");
    app->presentation().setLastCreatedBar(ControlCatalog::identifier("3slider1button-group2"));
    EXPECT_EQ(pad("pad1")->bezelColor(), QColor(Qt::red));
}

// Without a stored colour, a pad is blue in the popover of a three-fader-one-pad group and green
// anywhere else.
TEST_F(ItemFactoryTest, PadsWithoutAColourAreBlueInAThreeFaderGroupGreenElsewhere)
{
    const QColor blue = QColor::fromRgbF(0.3176f, 0.7255f, 0.9451f);
    const QColor green = QColor::fromRgbF(0.2835f, 0.56f, 0.4076f);
    const std::pair<const char *, QColor> cases[] = {
        {"", green}, {"3slider1button-group2", blue}, {"8pad-group1", green}};
    for (const auto &[group, colour] : cases) {
        SCOPED_TRACE(group);
        store("pad1", record("ctrl", 1, 1, 0, 127), group);
        app->presentation().setLastCreatedBar(*group ? ControlCatalog::identifier(group) : QString());
        EXPECT_EQ(pad("pad1")->bezelColor().name(), colour.name());
    }
}

TEST_F(ItemFactoryTest, GroupButtonsTakeTheirStoredLabelOrNone)
{
    defaults->setObject(
        QVariantMap{{"8pad-group2", QVariantMap{}}, {"2slider-group3", QVariantMap{{"label", "EQ"}}}},
        ControlCatalog::controlMapKey(0));
    EXPECT_EQ(pad("8pad-group2")->title(), QString());
    EXPECT_EQ(pad("2slider-group3")->title(), "EQ");
}

TEST_F(ItemFactoryTest, UnknownIdentifiersGiveNoItem)
{
    EXPECT_EQ(make("pad11"), nullptr);
    EXPECT_EQ(make("slider5"), nullptr);
    EXPECT_EQ(app->makeItemForIdentifier(*app->templates().userTouchBar(0), "org.other.slider1"), nullptr);
}

} // namespace
