#include "ControlRig.h"

#include "controls/receiveValueSlider.h"

namespace {

struct PadCase {
    const char *name;
    QVariantMap record;
    // Per touch: bytes at press, bytes at release.
    QList<QStringList> touches;
};

class PadBytes : public ControlRig, public ::testing::WithParamInterface<PadCase> {};

TEST_P(PadBytes, PressAndReleaseSendTheirMessages)
{
    const PadCase &c = GetParam();
    store(QStringLiteral("pad1"), c.record);
    padButton *button = pad(QStringLiteral("pad1"));
    ASSERT_NE(button, nullptr);
    for (int i = 0; i < c.touches.size(); ++i) {
        press(button);
        EXPECT_EQ(userBytes(), c.touches[i].mid(0, c.touches[i][0].isEmpty() ? 0 : 1)) << "press " << i;
        release(button);
        EXPECT_EQ(userBytes(), c.touches[i].mid(1, c.touches[i][1].isEmpty() ? 0 : 1)) << "release " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pads, PadBytes,
    ::testing::Values(
        PadCase{"momentary", record("ctrl", 20, 1, 0, 127), {{"b0 14 7f", "b0 14 00"}}},
        PadCase{"toggle", record("ctrl", 20, 1, 0, 127, "toggle"), {{"", "b0 14 7f"}, {"", "b0 14 00"}}},
        PadCase{"push", record("ctrl", 20, 1, 0, 127, "push"), {{"b0 14 7f", ""}}},
        PadCase{"note", record("note", 60, 1, 0, 100.9), {{"90 3c 64", "90 3c 00"}}},
        PadCase{"programToggle", record("prgch", 5, 3, 0, 127, "toggle"), {{"c2 05", ""}}},
        PadCase{"pitchBendSendsNothing", record("pbend", 5, 3, 0, 127), {{"", ""}}}),
    [](const auto &info) { return std::string(info.param.name); });

struct TransportCase {
    const char *name;
    const char *control;
    QVariantMap record;
    const char *pressBytes;
    const char *releaseBytes;
};

class TransportBytes : public ControlRig, public ::testing::WithParamInterface<TransportCase> {};

TEST_P(TransportBytes, PressAndReleaseFollowTheButtonTable)
{
    const TransportCase &c = GetParam();
    const QString name = QString::fromLatin1(c.control);
    store(name, c.record);
    padButton *button = pad(name);
    ASSERT_NE(button, nullptr);
    const auto expected = [](const char *bytes) {
        return *bytes ? QStringList{QString::fromLatin1(bytes)} : QStringList{};
    };
    press(button);
    EXPECT_EQ(userBytes(), expected(c.pressBytes));
    release(button);
    EXPECT_EQ(userBytes(), expected(c.releaseBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Transport, TransportBytes,
    ::testing::Values(
        TransportCase{"playMMC", "play", record("MMC", 0, 1, 0, 127), "", "f0 7f 7f 06 02 f7"},
        TransportCase{"pauseMMC", "pause", record("MMC", 0, 1, 0, 127), "", "f0 7f 7f 06 08 f7"},
        TransportCase{"stopMMC", "stop", record("MMC", 0, 1, 0, 127), "", "f0 7f 7f 06 09 f7"},
        TransportCase{"recordMMC", "record", record("MMC", 0, 1, 0, 127), "", "f0 7f 7f 06 06 f7"},
        TransportCase{"ffMMC", "ff", record("MMC", 0, 1, 0, 127), "f0 7f 7f 06 04 f7", "f0 7f 7f 06 09 f7"},
        TransportCase{"fbMMC", "fb", record("MMC", 0, 1, 0, 127), "f0 7f 7f 06 05 f7", "f0 7f 7f 06 09 f7"},
        TransportCase{"previousMMCSendsNothing", "previous", record("MMC", 0, 1, 0, 127), "", ""},
        TransportCase{"nextMMCSendsNothing", "next", record("MMC", 0, 1, 0, 127), "", ""},
        TransportCase{"playCtrl", "play", record("ctrl", 118, 1, 0, 127), "b0 76 7f", ""},
        TransportCase{"fbCtrl", "fb", record("ctrl", 118, 1, 0, 127), "b0 76 7f", "b0 76 00"},
        TransportCase{"ffNote", "ff", record("note", 60, 2, 0, 127), "91 3c 7f", "91 3c 00"}),
    [](const auto &info) { return std::string(info.param.name); });

using OscControls = ControlRig;

TEST_F(OscControls, PadsSendDoublesAndPauseSendsNoArguments)
{
    QVariantMap padRecord = record("osc", 0, 1, 0, 1.0);
    padRecord.insert(QStringLiteral("oscAddress"), QStringLiteral("/pad"));
    store(QStringLiteral("pad1"), padRecord);
    QVariantMap pauseRecord = record("osc", 0, 1, 0, 1.0);
    pauseRecord.insert(QStringLiteral("oscAddress"), QStringLiteral("/pause"));
    store(QStringLiteral("pause"), pauseRecord);

    padButton *button = pad(QStringLiteral("pad1"));
    press(button);
    release(button);
    padButton *pause = pad(QStringLiteral("pause"));
    press(pause);
    release(pause);

    ASSERT_EQ(oscSent.size(), 3);
    EXPECT_EQ(oscSent[0].first, QStringLiteral("/pad"));
    EXPECT_EQ(oscSent[0].second, QVariantList{1.0});
    EXPECT_EQ(oscSent[0].second[0].typeId(), QMetaType::Double);
    EXPECT_EQ(oscSent[1].second, QVariantList{0.0});
    EXPECT_EQ(oscSent[2], (std::pair{QStringLiteral("/pause"), QVariantList{}}));
    EXPECT_TRUE(userBytes().isEmpty());
}

using Faders = ControlRig;

struct FaderCase {
    const char *name;
    QVariantMap record;
    QStringList bytes;
};

class FaderBytes : public ControlRig, public ::testing::WithParamInterface<FaderCase> {};

// The middle of the track: half the range, rounded half away from zero.
TEST_P(FaderBytes, TouchAtTheMiddleSendsByKind)
{
    store(QStringLiteral("slider1"), GetParam().record);
    midiSlider *item = fader(QStringLiteral("slider1"));
    ASSERT_NE(item, nullptr);
    press(item->slider(), QPoint(100, 15));
    EXPECT_EQ(userBytes(), GetParam().bytes);
    release(item->slider(), QPoint(100, 15));
    EXPECT_TRUE(userBytes().isEmpty()) << "the same integer is not sent twice";
}

INSTANTIATE_TEST_SUITE_P(
    Faders, FaderBytes,
    ::testing::Values(FaderCase{"ctrl", record("ctrl", 7, 2, 0, 127, "volume"), {"b1 07 40"}},
                      FaderCase{"pbend", record("pbend", 0, 1, 0, 16383, "volume"), {"e0 00 40"}},
                      FaderCase{
                          "ctrl14", record("ctrl14", 7, 1, 0, 16383, "volume"), {"b0 07 40", "b0 27 00"}},
                      FaderCase{"nrpn",
                                record("nrpn", 258, 1, 0, 16383, "volume"),
                                {"b0 63 02", "b0 62 02", "b0 06 40", "b0 26 00"}},
                      FaderCase{"noteSendsNothing", record("note", 60, 1, 0, 127, "volume"), {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Faders, DragSendsEachIntegerOnceAndTheFirstEventAlways)
{
    store(QStringLiteral("slider1"), record("ctrl", 7, 1, 0, 20, "volume"));
    midiSlider *item = fader(QStringLiteral("slider1"));
    receiveValueSlider *slider = item->slider();
    press(slider, QPoint(20, 15));
    for (int x = 21; x <= 190; ++x)
        drag(slider, QPoint(x, 15));
    release(slider, QPoint(190, 15));
    const QStringList sent = userBytes();
    ASSERT_GE(sent.size(), 15);
    for (int i = 1; i < sent.size(); ++i) {
        EXPECT_LT(sent[i - 1].mid(6).toInt(nullptr, 16), sent[i].mid(6).toInt(nullptr, 16))
            << "values rise without repeats at " << i;
    }
    EXPECT_EQ(sent.last(), QStringLiteral("b0 07 14"));

    press(slider, QPoint(190, 15));
    EXPECT_EQ(userBytes(), QStringList{QStringLiteral("b0 07 14")})
        << "a new touch sends its first value even when unchanged";
    release(slider, QPoint(190, 15));
}

TEST_F(Faders, PitchBendSpringsBackToTheExactCentre)
{
    store(QStringLiteral("slider1"), record("pbend", 0, 1, 0, 16383, "pitchbend"));
    midiSlider *item = fader(QStringLiteral("slider1"));
    press(item->slider(), QPoint(190, 15));
    release(item->slider(), QPoint(190, 15));
    ASSERT_TRUE(
        QTest::qWaitFor([item] { return std::abs(item->slider()->doubleValue() - 8191.5) < 1e-9; }, 2000))
        << "the fader springs back to the centre";
    const QStringList sent = userBytes();
    ASSERT_GE(sent.size(), 2);
    EXPECT_EQ(sent.first(), QStringLiteral("e0 7f 7f"));
    EXPECT_EQ(sent.last(), QStringLiteral("e0 00 40"));
}

TEST_F(Faders, CancelledTouchStaysWhereItWas)
{
    store(QStringLiteral("slider1"), record("pbend", 0, 1, 0, 16383, "pitchbend"));
    midiSlider *item = fader(QStringLiteral("slider1"));
    QPointingDevice *screen = QTest::createTouchDevice();
    QTest::touchEvent(item->slider(), screen).press(0, QPoint(190, 15));
    QTest::touchEvent(item->slider(), screen).move(0, QPoint(180, 15));
    const double before = item->slider()->doubleValue();
    QTouchEvent cancel(QEvent::TouchCancel, screen);
    QApplication::sendEvent(item->slider(), &cancel);
    QTest::qWait(200);
    EXPECT_EQ(item->slider()->doubleValue(), before);
    EXPECT_FALSE(item->slider()->touched());
}

using Listening = ControlRig;

TEST_F(Listening, IncomingControlMovesAnUntouchedFaderOnly)
{
    store(QStringLiteral("slider1"), record("ctrl", 7, 1, 0, 127, "volume"));
    midiSlider *item = fader(QStringLiteral("slider1"));
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex("b00740")));
    EXPECT_EQ(item->slider()->doubleValue(), 64.0);

    press(item->slider(), QPoint(20, 15));
    const double touchedValue = item->slider()->doubleValue();
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex("b00710")));
    EXPECT_EQ(item->slider()->doubleValue(), touchedValue) << "the finger wins";
    release(item->slider(), QPoint(20, 15));
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex("b00711")));
    EXPECT_EQ(item->slider()->doubleValue(), 17.0);
}

TEST_F(Listening, ToggleLightsAndProgramPadIgnores)
{
    store(QStringLiteral("pad1"), record("ctrl", 20, 1, 0, 127, "toggle"));
    store(QStringLiteral("pad2"), record("prgch", 20, 1, 0, 127, "toggle"));
    store(QStringLiteral("pad3"), record("ctrl", 20, 1, 0, 127, "momentary"));
    padButton *toggle = pad(QStringLiteral("pad1"));
    padButton *program = pad(QStringLiteral("pad2"));
    padButton *momentary = pad(QStringLiteral("pad3"));
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex("b01401")));
    EXPECT_TRUE(toggle->state());
    EXPECT_FALSE(program->state());
    EXPECT_FALSE(momentary->state());
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex("b01400")));
    EXPECT_FALSE(toggle->state());
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex("c014")));
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::userName(), QByteArray::fromHex("b0147f")));
    EXPECT_FALSE(program->state()) << "a program pad listens to nothing";
}

TEST_F(Listening, TwoFadersOnOneAddressFollowEachOther)
{
    store(QStringLiteral("slider1"), record("ctrl", 7, 1, 0, 127, "volume"));
    store(QStringLiteral("slider2"), record("ctrl", 7, 1, 0, 127, "volume"));
    midiSlider *first = fader(QStringLiteral("slider1"));
    midiSlider *second = fader(QStringLiteral("slider2"));
    press(first->slider(), QPoint(190, 15));
    release(first->slider(), QPoint(190, 15));
    EXPECT_EQ(second->slider()->doubleValue(), 127.0);
}

using Popovers = ControlRig;

TEST_F(Popovers, DeviceBankOpensAndClosesWithItsSurfaceControl)
{
    app->openDeviceTouchBar();
    EXPECT_EQ(surfaceBytes(), QStringList{QStringLiteral("b0 04 01")});
    padButton *close = pad(QStringLiteral("close"));
    press(close);
    release(close);
    EXPECT_EQ(surfaceBytes(), QStringList{QStringLiteral("b0 04 00")});

    padButton *group = pad(QStringLiteral("4slider-group1"));
    press(group);
    release(group);
    EXPECT_EQ(app->presentation().lastCreatedBar(),
              ControlCatalog::identifier(QStringLiteral("4slider-group1")));
    EXPECT_EQ(app->presentation().currentPopOver(), app->templates().fourFader(1));
    close = pad(QStringLiteral("close"));
    press(close);
    release(close);
    EXPECT_TRUE(surfaceBytes().isEmpty()) << "only the bank tells the host it closed";
}

TEST_F(Popovers, EditModeHandsTheTouchedPadOverAndStillSends)
{
    QList<QObject *> handed;
    app->controls().setEditorHandOver([&](int, QObject *control) { handed.append(control); });
    app->presentation().setEditCCs(true);
    store(QStringLiteral("pad1"), record("ctrl", 20, 1, 0, 127, "momentary"));
    padButton *button = pad(QStringLiteral("pad1"));
    press(button);
    release(button);
    EXPECT_EQ(handed, QList<QObject *>{button});
    EXPECT_EQ(userBytes().size(), 2);
}

} // namespace

namespace {

using PadTouches = ControlRig;

TEST_F(PadTouches, CancelWithoutTouchesReleasesTheNoteAndAllowsTheNextPress)
{
    store(QStringLiteral("pad1"), record("note", 60, 1, 0, 127));
    padButton *button = pad(QStringLiteral("pad1"));
    QPointingDevice *screen = QTest::createTouchDevice();
    QTest::touchEvent(button, screen).press(0, QPoint(10, 10));
    QTouchEvent cancel(QEvent::TouchCancel, screen);
    QApplication::sendEvent(button, &cancel);
    EXPECT_EQ(userBytes(), QStringList({QStringLiteral("90 3c 7f"), QStringLiteral("90 3c 00")}));
    press(button);
    EXPECT_EQ(userBytes(), QStringList{QStringLiteral("90 3c 7f")});
    release(button);
}

TEST_F(PadTouches, IndirectTouchesAreIgnored)
{
    store(QStringLiteral("pad1"), record("ctrl", 20, 1, 0, 127));
    padButton *button = pad(QStringLiteral("pad1"));
    QPointingDevice *touchpad = QTest::createTouchDevice(QInputDevice::DeviceType::TouchPad);
    QTest::touchEvent(button, touchpad).press(0, QPoint(10, 10));
    QTest::touchEvent(button, touchpad).release(0, QPoint(10, 10));
    EXPECT_TRUE(userBytes().isEmpty());
}

} // namespace
