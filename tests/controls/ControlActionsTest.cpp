#include "ControlRig.h"

#include "SurfaceEncoder.h"
#include "controls/receiveValueSlider.h"

#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace {

QStringList hex(const char *bytes)
{
    return *bytes ? QStringList{QString::fromLatin1(bytes)} : QStringList{};
}

using Pads = ControlRig;

// Per touch: bytes at press, bytes at release. Transport buttons follow the MMC table, and with
// any other kind send as a pad does.
TEST_F(Pads, PressAndReleaseSendByKindAndType)
{
    const QVariantMap mmc = record("MMC", 0, 1, 0, 127);
    const std::tuple<const char *, QVariantMap, QList<std::pair<const char *, const char *>>> cases[] = {
        {"pad1", record("ctrl", 20, 1, 0, 127), {{"b0 14 7f", "b0 14 00"}}},
        {"pad1", record("ctrl", 20, 1, 0, 127, "toggle"), {{"", "b0 14 7f"}, {"", "b0 14 00"}}},
        {"pad1", record("ctrl", 20, 1, 0, 127, "push"), {{"b0 14 7f", ""}}},
        {"pad1", record("note", 60, 1, 0, 100.9), {{"90 3c 64", "90 3c 00"}}},
        // A program pad pushes, whatever type its record gives.
        {"pad1", record("prgch", 5, 3, 0, 127, "toggle"), {{"c2 05", ""}, {"c2 05", ""}}},
        {"pad1", record("pbend", 5, 3, 0, 127), {{"", ""}}},
        {"play", mmc, {{"", "f0 7f 7f 06 02 f7"}}},
        {"pause", mmc, {{"", "f0 7f 7f 06 08 f7"}}},
        {"stop", mmc, {{"", "f0 7f 7f 06 09 f7"}}},
        {"record", mmc, {{"", "f0 7f 7f 06 06 f7"}}},
        {"ff", mmc, {{"f0 7f 7f 06 04 f7", "f0 7f 7f 06 09 f7"}}},
        {"fb", mmc, {{"f0 7f 7f 06 05 f7", "f0 7f 7f 06 09 f7"}}},
        {"previous", mmc, {{"", ""}}},
        {"next", mmc, {{"", ""}}},
        {"play", record("ctrl", 118, 1, 0, 127), {{"b0 76 7f", ""}}},
        {"fb", record("ctrl", 118, 1, 0, 127), {{"b0 76 7f", "b0 76 00"}}},
        {"ff", record("note", 60, 2, 0, 127), {{"91 3c 7f", "91 3c 00"}}},
    };
    for (const auto &[control, stored, touches] : cases) {
        SCOPED_TRACE(testing::Message() << control << ' ' << stored["kind"].toString().toStdString() << ' '
                                        << stored["type"].toString().toStdString());
        store(control, stored);
        padButton *button = pad(control);
        ASSERT_NE(button, nullptr);
        for (const auto &[pressed, released] : touches) {
            press(button);
            EXPECT_EQ(userBytes(), hex(pressed));
            release(button);
            EXPECT_EQ(userBytes(), hex(released));
        }
    }
}

// The pause button of an OSC record is a bare address.
TEST_F(Pads, OscPauseSendsNoArguments)
{
    store("pause", record("osc", 0, 1, 0, 1.0, "momentary", "/pause"));
    tap(pad("pause"));
    EXPECT_EQ(oscSent, (QList<std::pair<QString, QVariantList>>{{"/pause", {}}}));
}

// Only a touchscreen plays; a cancel without touches releases the note and allows the next press.
TEST_F(Pads, TouchesFromTheScreenOnlyAndCancelReleases)
{
    store("pad1", record("note", 60, 1, 0, 127));
    padButton *button = pad("pad1");
    QPointingDevice *touchpad = QTest::createTouchDevice(QInputDevice::DeviceType::TouchPad);
    QTest::touchEvent(button, touchpad).press(0, QPoint(10, 10));
    QTest::touchEvent(button, touchpad).release(0, QPoint(10, 10));
    EXPECT_TRUE(userBytes().isEmpty());
    QPointingDevice *screen = QTest::createTouchDevice();
    QTest::touchEvent(button, screen).press(0, QPoint(10, 10));
    QTouchEvent cancel(QEvent::TouchCancel, screen);
    QApplication::sendEvent(button, &cancel);
    EXPECT_EQ(userBytes(), QStringList({"90 3c 7f", "90 3c 00"}));
    press(button);
    EXPECT_EQ(userBytes(), QStringList{"90 3c 7f"});
    release(button);
}

// The strip rebuilt under a finger (a hot key, another application in front, a popover closing)
// drops the controls it showed: a held pad and a held piano key send their release as they go.
TEST_F(Pads, AControlRemovedWhileHeldSendsItsRelease)
{
    store("pad1", record("note", 60, 1, 0, 127));
    store("piano", record("note", 0, 2, 0, 100, "glissando"));
    padButton *button = pad("pad1");
    QWidget *piano = make("piano")->view();
    press(button);
    // Two octaves over 200 points: the first key, C3 with the keyboard's default start octave.
    QTest::touchEvent(piano, QTest::createTouchDevice()).press(0, QPoint(10, 15));
    EXPECT_EQ(userBytes(), QStringList({"90 3c 7f", "91 30 64"}));
    items.clear();
    QStringList released = userBytes();
    released.sort();
    EXPECT_EQ(released, QStringList({"90 3c 00", "91 30 00"}));
}

// A settings file may give any range up to the largest float: a value past what the message
// carries sends the message's end, never a wrapped byte, and a huge press velocity is no note off.
TEST_F(Pads, ValuesPastWhatTheMessageCarriesSendItsEnd)
{
    const std::tuple<const char *, QVariantMap, const char *, const char *> cases[] = {
        {"pad1", record("ctrl", 20, 1, -5, 1e30), "b0 14 7f", "b0 14 00"},
        {"pad1", record("note", 60, 1, 0, 3.4028234663852886e38), "90 3c 7f", "90 3c 00"},
        {"pad1", record("nrpn", 258, 1, 0, 1e12), "b0 63 02 b0 62 02 b0 06 7f b0 26 7f",
         "b0 63 02 b0 62 02 b0 06 00 b0 26 00"},
        {"piano", record("note", 0, 1, -1e30, 1e30, "glissando"), "90 30 7f", "90 30 00"},
    };
    for (const auto &[control, stored, pressed, released] : cases) {
        SCOPED_TRACE(testing::Message() << control << ' ' << stored["kind"].toString().toStdString());
        store(control, stored);
        QWidget *view = make(control)->view();
        QPointingDevice *screen = QTest::createTouchDevice();
        QTest::touchEvent(view, screen).press(0, QPoint(10, 15));
        EXPECT_EQ(userBytes().join(' '), pressed);
        QTest::touchEvent(view, screen).release(0, QPoint(10, 15));
        EXPECT_EQ(userBytes().join(' '), released);
    }
}

// A group button's tap opens its group's popover: the group's bar is shown, and its members read
// their records from the group.
TEST_F(Pads, AGroupButtonTapOpensItsPopoverWithItsBar)
{
    TouchBar *group = app->templates().fourFader(2);
    tap(pad("4slider-group2"));
    EXPECT_EQ(app->presentation().currentPopOver(), group);
    EXPECT_EQ(app->presentation().lastCreatedBar(), ControlCatalog::identifier("4slider-group2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return host.presentedIdentifiers() == group->itemIdentifiers(); }, 1000))
        << host.presentedIdentifiers().join(' ').toStdString();
}

// The channel strip's device button opens the bank and tells the host so, once.
TEST_F(Pads, TheDeviceButtonTellsTheHostOnce)
{
    QWidget *strip = makeIdentified(ControlCatalog::controlStripViewIdentifier())->view();
    strip->resize(1000, 30);
    const QByteArray deviceName =
        QByteArray::fromHex("f07d0003") + SurfaceEncoder::packText("Simpler") + char(0xF7);
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::surfaceName(), deviceName));
    ASSERT_TRUE(loopback->inject(midi::MidiEndpoints::surfaceName(), QByteArray::fromHex("b00301")));
    strip->grab();
    surfaceBytes();
    // Straight to the view: the button lies past the edge of the small offscreen screen.
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(845, 15), strip->mapToGlobal(QPointF(845, 15)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &event);
    }
    EXPECT_EQ(surfaceBytes(), QStringList{"b0 04 01"});
}

using Faders = ControlRig;

// The middle of the track: half the range, rounded half away from zero.
TEST_F(Faders, TouchAtTheMiddleSendsByKindOncePerTouch)
{
    const std::pair<QVariantMap, QStringList> cases[] = {
        {record("ctrl", 7, 2, 0, 127, "volume"), {"b1 07 40"}},
        {record("pbend", 0, 1, 0, 16383, "volume"), {"e0 00 40"}},
        {record("ctrl14", 7, 1, 0, 16383, "volume"), {"b0 07 40", "b0 27 00"}},
        {record("nrpn", 258, 1, 0, 16383, "volume"), {"b0 63 02", "b0 62 02", "b0 06 40", "b0 26 00"}},
        {record("note", 60, 1, 0, 127, "volume"), {}},
    };
    for (const auto &[stored, bytes] : cases) {
        SCOPED_TRACE(stored["kind"].toString().toStdString());
        store("slider1", stored);
        midiSlider *item = fader("slider1");
        ASSERT_NE(item, nullptr);
        for (int touch = 0; touch < 2; ++touch) {
            press(item->slider(), QPoint(100, 15));
            EXPECT_EQ(userBytes(), bytes) << "every touch sends its first value";
            release(item->slider(), QPoint(100, 15));
            EXPECT_TRUE(userBytes().isEmpty()) << "the same integer is not sent twice";
        }
    }
}

TEST_F(Faders, PitchBendSpringsBackToTheExactCentre)
{
    store("slider1", record("pbend", 0, 1, 0, 16383, "pitchbend"));
    receiveValueSlider *slider = fader("slider1")->slider();
    press(slider, QPoint(190, 15));
    release(slider, QPoint(190, 15));
    ASSERT_TRUE(QTest::qWaitFor([slider] { return std::abs(slider->doubleValue() - 8191.5) < 1e-9; }, 2000))
        << "the fader springs back to the centre";
    const QStringList sent = userBytes();
    EXPECT_TRUE(sent.size() >= 2 && sent.first() == "e0 7f 7f" && sent.last() == "e0 00 40")
        << sent.join(", ").toStdString();
}

// The fader goes while it springs back, and the event loop keeps turning before its view is
// deleted (a window opened at once runs its own loop): nothing more is sent for it.
TEST_F(Faders, TheReturnToCentreStopsWithItsFader)
{
    store("slider1", record("pbend", 0, 1, 0, 16383, "pitchbend"));
    QPointer<receiveValueSlider> slider = fader("slider1")->slider();
    press(slider, QPoint(190, 15));
    release(slider, QPoint(190, 15));
    userBytes();
    bool viewOutlivedItem = false;
    QEventLoop outer;
    QTimer::singleShot(0, &outer, [&] {
        items.clear();
        QEventLoop inner;
        QTimer::singleShot(3 * receiveValueSlider::returnDurationMs, &inner, &QEventLoop::quit);
        inner.exec();
        viewOutlivedItem = !slider.isNull();
        outer.quit();
    });
    outer.exec();
    ASSERT_TRUE(viewOutlivedItem) << "the view must linger for the test to mean anything";
    EXPECT_TRUE(userBytes().isEmpty());
}

using Listening = ControlRig;

TEST_F(Listening, IncomingControlMovesAnUntouchedFaderOnly)
{
    store("slider1", record("ctrl", 7, 1, 0, 127, "volume"));
    receiveValueSlider *slider = fader("slider1")->slider();
    ASSERT_TRUE(inject("b00740"));
    EXPECT_EQ(slider->doubleValue(), 64.0);
    press(slider, QPoint(20, 15));
    const double touchedValue = slider->doubleValue();
    ASSERT_TRUE(inject("b00710"));
    EXPECT_EQ(slider->doubleValue(), touchedValue) << "the finger wins";
    release(slider, QPoint(20, 15));
    ASSERT_TRUE(inject("b00711"));
    EXPECT_EQ(slider->doubleValue(), 17.0);
}

TEST_F(Listening, ToggleLightsAndProgramPadIgnores)
{
    store("pad1", record("ctrl", 20, 1, 0, 127, "toggle"));
    store("pad2", record("prgch", 20, 1, 0, 127, "toggle"));
    padButton *toggle = pad("pad1");
    padButton *program = pad("pad2");
    ASSERT_TRUE(inject("b01401"));
    EXPECT_TRUE(toggle->state());
    EXPECT_FALSE(program->state());
    ASSERT_TRUE(inject("b01400"));
    EXPECT_FALSE(toggle->state());
    ASSERT_TRUE(inject("c014"));
    ASSERT_TRUE(inject("b0147f"));
    EXPECT_FALSE(program->state()) << "a program pad listens to nothing";
}

} // namespace
