#include "ControlRig.h"

#include "model/ColorArchive.h"
#include "model/ControlColors.h"

namespace {

using ItemFactoryTest = ControlRig;

TEST_F(ItemFactoryTest, GroupFadersReadTheGroupRecordOfTheShownTouchBar)
{
    store(QStringLiteral("slider1"), record("ctrl", 11, 2, 0, 127), QStringLiteral("4slider-group1"), 3);
    store(QStringLiteral("slider1"), record("ctrl", 22, 5, 0, 127), QStringLiteral("4slider-group1"), 0);
    app->presentation().setLastCreatedBar(ControlCatalog::identifier(QStringLiteral("4slider-group1")));
    app->presentation().setUserTouchbarNumber(3);
    midiSlider *onThree = fader(QStringLiteral("popup.slider1"));
    app->presentation().setUserTouchbarNumber(0);
    midiSlider *onZero = fader(QStringLiteral("popup.slider1"));
    ASSERT_TRUE(onThree && onZero);
    EXPECT_EQ(onThree->ctrlNumber(), 11);
    EXPECT_EQ(onThree->channelNumber(), 2);
    EXPECT_EQ(onZero->ctrlNumber(), 22);
    EXPECT_EQ(onZero->groupIdentifier(), ControlCatalog::identifier(QStringLiteral("4slider-group1")));
    EXPECT_EQ(onZero->customizationLabel(), QStringLiteral("Fader"));
}

TEST_F(ItemFactoryTest, PadColourDependsOnTheOpenGroup)
{
    const QColor blue = QColor::fromRgbF(0.3176f, 0.7255f, 0.9451f);
    const QColor green = QColor::fromRgbF(0.2835f, 0.56f, 0.4076f);
    EXPECT_EQ(pad(QStringLiteral("pad1"))->bezelColor(), green);
    app->presentation().setLastCreatedBar(
        ControlCatalog::identifier(QStringLiteral("3slider1button-group2")));
    EXPECT_EQ(pad(QStringLiteral("pad1"))->bezelColor(), blue);

    QVariantMap coloured = record("ctrl", 1, 1, 0, 127);
    coloured.insert(QStringLiteral("color"), ColorArchive::archive(Qt::red));
    store(QStringLiteral("pad1"), coloured, QStringLiteral("3slider1button-group2"));
    EXPECT_EQ(pad(QStringLiteral("pad1"))->bezelColor(), QColor(Qt::red));
}

TEST_F(ItemFactoryTest, TransportButtonsKnowWhetherTheyMaySendMMC)
{
    const std::pair<const char *, bool> buttons[] = {{"play", true},      {"pause", true}, {"stop", true},
                                                     {"record", true},    {"ff", true},    {"fb", true},
                                                     {"previous", false}, {"next", false}};
    int tag = 0;
    for (const auto &[name, canSend] : buttons) {
        padButton *button = pad(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->canSendMMC(), canSend) << name;
        EXPECT_EQ(button->tag(), ++tag) << name;
        EXPECT_TRUE(button->icon().has_value()) << name;
    }
}

TEST_F(ItemFactoryTest, GroupButtonsTakeTheirStoredLabelOrNone)
{
    defaults->setObject(QVariantMap{{QStringLiteral("8pad-group2"), QVariantMap{}},
                                    {QStringLiteral("2slider-group3"),
                                     QVariantMap{{QStringLiteral("label"), QStringLiteral("EQ")}}}},
                        ControlCatalog::controlMapKey(0));
    padButton *unlabelled = pad(QStringLiteral("8pad-group2"));
    ASSERT_NE(unlabelled, nullptr);
    EXPECT_EQ(unlabelled->title(), QString());
    EXPECT_EQ(unlabelled->tag(), 6);
    EXPECT_EQ(unlabelled->bezelColor(), ControlColors::groupButton(QStringLiteral("8pad-group2")));
    EXPECT_EQ(items.back()->customizationLabel(), QStringLiteral("10 Pads (Popup Button)"));
    EXPECT_EQ(pad(QStringLiteral("2slider-group3"))->title(), QStringLiteral("EQ"));
    padButton *device = pad(QStringLiteral("8fader-item"));
    EXPECT_EQ(device->title(), QStringLiteral("Device"));
    EXPECT_EQ(device->tag(), 14);
}

TEST_F(ItemFactoryTest, ProgramPadPushesWhateverItsRecordSays)
{
    store(QStringLiteral("pad4"), record("prgch", 5, 3, 0, 127, "toggle"));
    padButton *button = pad(QStringLiteral("pad4"));
    EXPECT_EQ(button->behavior(), 2);
    EXPECT_EQ(button->buttonType(), padButton::ButtonType::Momentary);
}

TEST_F(ItemFactoryTest, UnknownIdentifiersGiveNoItem)
{
    EXPECT_EQ(make(QStringLiteral("pad11")), nullptr);
    EXPECT_EQ(make(QStringLiteral("slider5")), nullptr);
    EXPECT_EQ(
        app->makeItemForIdentifier(*app->templates().userTouchBar(0), QStringLiteral("org.other.slider1")),
        nullptr);
}

} // namespace
