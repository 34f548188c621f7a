#include "app/CCSettingsViewController.h"
#include "AppDelegateTestSupport.h"
#include "app/ValueSpinBox.h"
#include "app/confirmController.h"
#include "controls/pianoView.h"
#include "midi/Client.h"
#include "model/ColorArchive.h"
#include "model/ControlColors.h"
#include "model/ControlMaps.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {

QVariantMap record(const char *kind, int value, int channel, double from, double to, const QString &label)
{
    return {{QStringLiteral("kind"), QString::fromLatin1(kind)},
            {QStringLiteral("value"), value},
            {QStringLiteral("channel"), channel},
            {QStringLiteral("scaleFrom"), from},
            {QStringLiteral("scaleTo"), to},
            {QStringLiteral("type"), QStringLiteral("volume")},
            {QStringLiteral("label"), label}};
}

// The launched program on the loopback MIDI system and the headless strip, touch bar 0 shown,
// with "Customize Controls..." chosen: the editor is the real window, and controls are
// selected by touching the items the real factory made.
class CCSettingsViewControllerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString prefsPath = dir.filePath(QStringLiteral("prefs.plist"));
    std::unique_ptr<UserDefaults> defaults;
    FakeStatusItem statusItem;
    HeadlessTouchBarHost host;
    std::unique_ptr<AppDelegate> app;
    CCSettingsViewController *editor = nullptr;

    void SetUp() override
    {
        midi::Client::installBackend(std::make_unique<LoopbackBackend>());
        defaults = std::make_unique<UserDefaults>(prefsPath);
        app = std::make_unique<AppDelegate>(*defaults, statusItem, host);
        CCSettingsViewController::install(*app);
        app->applicationDidFinishLaunching();
    }
    void TearDown() override
    {
        app.reset();
        midi::Client::installBackend(nullptr);
    }

    // Records must be stored before the window opens, as the user would have them.
    void openEditor()
    {
        app->toggleTouchbar();
        app->customizeControls();
        editor = qobject_cast<CCSettingsViewController *>(
            app->settingsWindows().window(SettingsWindows::Kind::Controls));
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->isVisible());
    }
    void store(const QString &control, const QVariantMap &stored, const QString &group = {})
    {
        ASSERT_TRUE(ControlMaps(*defaults).writeRecord(0, group, control, stored));
    }

    // The map of touch bar 0 as another process would read it from the file.
    QVariantMap storedMap() const
    {
        UserDefaults fromFile(prefsPath);
        return ControlMaps(fromFile).controlMap(0);
    }
    QVariantMap storedRecord(const QString &control, const QString &group = {}) const
    {
        const QVariantMap map = storedMap();
        return (group.isEmpty() ? map : map.value(group).toMap()).value(control).toMap();
    }

    QWidget *slotView(const QString &controlName)
    {
        for (const TouchBarHost::Slot &slot : host.presentedSlots()) {
            if (slot.identifier.endsWith(QLatin1Char('.') + controlName) && slot.item && slot.item->view())
                return slot.item->view();
        }
        return nullptr;
    }
    void touch(const QString &controlName)
    {
        QWidget *view = slotView(controlName);
        ASSERT_NE(view, nullptr) << qPrintable(controlName) << " is not on the strip";
        view->resize(100, 30);
        QTest::mousePress(view, Qt::LeftButton, {}, view->rect().center());
        QTest::mouseRelease(view, Qt::LeftButton, {}, view->rect().center());
    }

    template <typename T> T *field(const char *outlet) const
    {
        T *found = editor->findChild<T *>(QString::fromLatin1(outlet));
        EXPECT_NE(found, nullptr) << outlet;
        return found;
    }
    QLineEdit *line(const char *outlet) const { return field<QLineEdit>(outlet); }
    QComboBox *menu(const char *outlet) const { return field<QComboBox>(outlet); }
    ValueSpinBox *value() const { return field<ValueSpinBox>("valueTextField"); }
    QPushButton *applyButton() const { return field<QPushButton>("applyButton"); }
    QString scaleFrom() const { return line("scaleFromTextField")->text(); }
    QString scaleTo() const { return line("scaleToTextField")->text(); }
    QString colourWell() const { return field<QPushButton>("colorWell")->styleSheet(); }

    static void choose(QComboBox *menu, const QString &title)
    {
        const int index = menu->findText(title);
        ASSERT_GE(index, 0) << qPrintable(title);
        menu->setCurrentIndex(index);
        Q_EMIT menu->activated(index);
    }
    // Replaces the field's text by typing, as the user would.
    template <typename Field> static void type(Field *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void typeName(const QString &text) const { type(line("nameTextField"), text); }
    void apply() const { QTest::mouseClick(applyButton(), Qt::LeftButton); }
    // The control's name, or the group's for a group itself.
    QString selectedName() const
    {
        const auto &control = editor->currentControl();
        return !control                           ? QString()
               : control->controlName().isEmpty() ? control->groupName()
                                                  : control->controlName();
    }
};

TEST_F(CCSettingsViewControllerTest, FaderKindSwitchResetsTheScaleAndTheStoredKindRestoresIt)
{
    store(QStringLiteral("slider1"), record("ctrl", 74, 3, 10, 100, QStringLiteral("Cutoff")));
    openEditor();
    touch(QStringLiteral("slider1"));
    EXPECT_EQ(selectedName(), QStringLiteral("slider1"));
    EXPECT_EQ(line("nameTextField")->text(), QStringLiteral("Cutoff"));
    EXPECT_EQ(menu("channelButton")->currentText(), QStringLiteral("3"));
    EXPECT_EQ(value()->value(), 74);
    EXPECT_EQ(std::pair(scaleFrom(), scaleTo()), std::pair(QStringLiteral("10"), QStringLiteral("100")));
    EXPECT_FALSE(applyButton()->isEnabled());

    choose(menu("kindButton"), QStringLiteral("pbend"));
    EXPECT_EQ(std::pair(scaleFrom(), scaleTo()), std::pair(QStringLiteral("0"), QStringLiteral("16383")));
    EXPECT_FALSE(value()->isEnabled()) << "pitch bend has no number";
    EXPECT_TRUE(applyButton()->isEnabled());

    choose(menu("kindButton"), QStringLiteral("osc"));
    EXPECT_EQ(scaleTo(), QStringLiteral("1"));
    EXPECT_FALSE(line("addressTextField")->isHidden());
    EXPECT_TRUE(value()->isHidden());
    EXPECT_TRUE(menu("channelButton")->isHidden());

    choose(menu("kindButton"), QStringLiteral("ctrl"));
    EXPECT_EQ(std::pair(scaleFrom(), scaleTo()), std::pair(QStringLiteral("10"), QStringLiteral("100")));
    EXPECT_EQ(value()->value(), 74);
    EXPECT_TRUE(line("addressTextField")->isHidden());
    EXPECT_FALSE(applyButton()->isEnabled()) << "back where it was stored: nothing to apply";
}

TEST_F(CCSettingsViewControllerTest, FourteenBitControllerNumbersStopAt31)
{
    store(QStringLiteral("slider2"), record("ctrl", 64, 1, 0, 127, QStringLiteral("Mod")));
    openEditor();
    touch(QStringLiteral("slider2"));
    choose(menu("kindButton"), QStringLiteral("ctrl14"));
    EXPECT_EQ(value()->value(), 31) << "a larger number already in the field is clipped";
    value()->stepUp();
    EXPECT_EQ(value()->value(), 31);
    type(value(), QStringLiteral("45"));
    EXPECT_EQ(value()->text(), QStringLiteral("31")) << "typing past the bound puts the bound in";
    apply();
    const QVariantMap stored = storedRecord(QStringLiteral("slider2"));
    EXPECT_EQ(stored.value(QStringLiteral("kind")).toString(), QStringLiteral("ctrl14"));
    EXPECT_EQ(stored.value(QStringLiteral("value")).toInt(), 31);
    EXPECT_EQ(stored.value(QStringLiteral("scaleTo")).toDouble(), 16383.0);
}

TEST_F(CCSettingsViewControllerTest, EditingAGroupOrOneOfItsMembersLeavesEveryOtherRecordAlone)
{
    const QString group = QStringLiteral("4slider-group1");
    store(QStringLiteral("slider2"), record("ctrl", 2, 1, 0, 127, QStringLiteral("Top")));
    for (int n = 1; n <= 4; ++n)
        store(QStringLiteral("slider%1").arg(n),
              record("nrpn", 300 + n, n, 0, 16383, QStringLiteral("Member %1").arg(n)), group);
    QVariantMap map = ControlMaps(*defaults).controlMap(0);
    QVariantMap groupRecord = map.value(group).toMap();
    groupRecord.insert(QStringLiteral("label"), QStringLiteral("Strings"));
    groupRecord.insert(QStringLiteral("extra"), QStringLiteral("kept"));
    map.insert(group, groupRecord);
    ASSERT_TRUE(defaults->setObject(map, ControlMaps::storeKey(0)));
    const QVariantMap before = storedMap();
    openEditor();

    touch(group);
    ASSERT_TRUE(editor->currentControl());
    EXPECT_EQ(editor->currentControl()->type(), EditedControl::Type::Group);
    EXPECT_EQ(line("nameTextField")->text(), QStringLiteral("Strings"));
    touch(QStringLiteral("popup.slider2"));
    EXPECT_EQ(editor->currentControl()->groupName(), group);
    EXPECT_EQ(value()->value(), 302) << "the member's record, not the top-level slider2's";
    typeName(QStringLiteral("Violas"));
    apply();

    // Only the member's label changed: siblings, the group's own keys and every other record
    // are as they were.
    QVariantMap expected = before;
    QVariantMap expectedGroup = before.value(group).toMap();
    QVariantMap expectedMember = expectedGroup.value(QStringLiteral("slider2")).toMap();
    expectedMember.insert(QStringLiteral("label"), QStringLiteral("Violas"));
    expectedGroup.insert(QStringLiteral("slider2"), expectedMember);
    expected.insert(group, expectedGroup);
    QVariantMap after = storedMap();
    QVariantMap afterGroup = after.value(group).toMap();
    QVariantMap writtenMember = afterGroup.value(QStringLiteral("slider2")).toMap();
    writtenMember.remove(QStringLiteral("color"));
    afterGroup.insert(QStringLiteral("slider2"), writtenMember);
    after.insert(group, afterGroup);
    EXPECT_EQ(after, expected);

    // The group's own record holds the members: a new title must keep them all.
    app->closePopUp();
    touch(group);
    typeName(QStringLiteral("Brass"));
    apply();
    const QVariantMap regrouped = storedMap().value(group).toMap();
    EXPECT_EQ(regrouped.value(QStringLiteral("label")).toString(), QStringLiteral("Brass"));
    EXPECT_EQ(regrouped.value(QStringLiteral("slider2")).toMap().value(QStringLiteral("label")).toString(),
              QStringLiteral("Violas"));
    for (const char *member : {"slider1", "slider3", "slider4"})
        EXPECT_EQ(regrouped.value(QLatin1String(member)), expectedGroup.value(QLatin1String(member)));
}

TEST_F(CCSettingsViewControllerTest, TouchingASecondControlWithPendingEditsAsksFirst)
{
    const struct {
        const char *answer;
        QPushButton *(confirmController::*button)() const;
        const char *selectedAfter;
        const char *storedLabel;
        bool stillPending;
    } cases[] = {{"discard", &confirmController::dismissButton, "slider2", "One", false},
                 {"cancel", &confirmController::cancelButton, "slider1", "One", true},
                 {"apply", &confirmController::applyButton, "slider2", "Edited", false}};
    store(QStringLiteral("slider1"), record("ctrl", 1, 1, 0, 127, QStringLiteral("One")));
    store(QStringLiteral("slider2"), record("ctrl", 2, 1, 0, 127, QStringLiteral("Two")));
    openEditor();
    // One sitting: edits discarded, then kept by cancel, then applied on the next touch.
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        if (selectedName() != QStringLiteral("slider1")) {
            touch(QStringLiteral("slider1"));
            typeName(QStringLiteral("Edited"));
        }
        touch(QStringLiteral("slider2"));
        confirmController *sheet = editor->confirmationSheet();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
        EXPECT_EQ(selectedName(), QStringLiteral("slider1")) << "nothing switches before the answer";

        QTest::mouseClick((sheet->*c.button)(), Qt::LeftButton);
        EXPECT_FALSE(sheet->isVisible());
        EXPECT_EQ(selectedName(), QString::fromLatin1(c.selectedAfter));
        EXPECT_EQ(storedRecord(QStringLiteral("slider1")).value(QStringLiteral("label")).toString(),
                  QString::fromLatin1(c.storedLabel));
        EXPECT_EQ(applyButton()->isEnabled(), c.stillPending);
        EXPECT_EQ(line("nameTextField")->text(),
                  c.stillPending ? QStringLiteral("Edited") : QStringLiteral("Two"));
    }
}

TEST_F(CCSettingsViewControllerTest, ClosingWithPendingEditsAsksAndClosesOnlyAfterAnAnswer)
{
    store(QStringLiteral("slider1"), record("ctrl", 1, 1, 0, 127, QStringLiteral("One")));
    openEditor();
    QPointer<CCSettingsViewController> window = editor;
    touch(QStringLiteral("slider1"));
    typeName(QStringLiteral("Kept"));

    EXPECT_FALSE(editor->close());
    EXPECT_TRUE(editor->isVisible());
    ASSERT_NE(editor->confirmationSheet(), nullptr);
    QTest::mouseClick(editor->confirmationSheet()->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(editor->wantsToBeClosed());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(app->presentation().editCCs());

    editor->close();
    QTest::mouseClick(editor->confirmationSheet()->applyButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "the window closed and went away";
    EXPECT_FALSE(app->presentation().editCCs());
    EXPECT_EQ(storedRecord(QStringLiteral("slider1")).value(QStringLiteral("label")).toString(),
              QStringLiteral("Kept"));
}

TEST_F(CCSettingsViewControllerTest, ApplyWritesTheRecordAndRebuildsTheStrip)
{
    store(QStringLiteral("slider1"), record("ctrl", 1, 1, 0, 127, QStringLiteral("One")));
    openEditor();
    touch(QStringLiteral("slider1"));
    QPointer<QWidget> oldView = slotView(QStringLiteral("slider1"));
    choose(menu("channelButton"), QStringLiteral("9"));
    choose(menu("behaviorButton"), QStringLiteral("Pan"));
    auto *panel = editor->findChild<QColorDialog *>(QStringLiteral("colorPanel"));
    ASSERT_NE(panel, nullptr);
    QTest::mouseClick(field<QPushButton>("colorWell"), Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    panel->setCurrentColor(QColor(255, 0, 0));
    apply();
    EXPECT_FALSE(applyButton()->isEnabled());

    const QVariantMap stored = storedRecord(QStringLiteral("slider1"));
    EXPECT_EQ(stored.value(QStringLiteral("channel")).toInt(), 9);
    EXPECT_EQ(stored.value(QStringLiteral("type")).toString(), QStringLiteral("pan"));
    EXPECT_EQ(ColorArchive::unarchive(stored.value(QStringLiteral("color"))), QColor(255, 0, 0));
    QTest::qWait(50);
    QWidget *newView = slotView(QStringLiteral("slider1"));
    ASSERT_NE(newView, nullptr);
    EXPECT_NE(newView, oldView.data()) << "the strip was rebuilt from the new record";

    editor->close();
    EXPECT_FALSE(panel->isVisible()) << "closing the window puts the colour panel away";
}

TEST_F(CCSettingsViewControllerTest, AControlWithoutARecordShowsTheDocumentedDefaults)
{
    QVariantMap map = ControlMaps(*defaults).controlMap(0);
    map.remove(QStringLiteral("slider1"));
    map.remove(QStringLiteral("piano"));
    ASSERT_TRUE(defaults->setObject(map, ControlMaps::storeKey(0)));
    openEditor();
    touch(QStringLiteral("slider1"));
    EXPECT_EQ(line("nameTextField")->text(), QString());
    EXPECT_EQ(line("addressTextField")->text(), QStringLiteral("/"));
    EXPECT_EQ(menu("kindButton")->currentText(), QStringLiteral("ctrl"));
    EXPECT_EQ(std::pair(scaleFrom(), scaleTo()), std::pair(QStringLiteral("0"), QStringLiteral("127")));
    EXPECT_EQ(colourWell(),
              QStringLiteral("background-color: ") + ControlColors::fader().name(QColor::HexArgb));
    EXPECT_FALSE(applyButton()->isEnabled());

    // The piano is edited through the same entry as every touched control.
    pianoView piano(2, 4);
    editor->setCurrentControl(&piano);
    EXPECT_EQ(menu("startOctaveButton")->currentIndex(), 4);
    EXPECT_EQ(menu("numOctavesButton")->currentText(), QStringLiteral("2"));
    EXPECT_EQ(menu("kindButton")->currentText(), QStringLiteral("note"));
    EXPECT_EQ(menu("channelButton")->currentIndex(), -1) << "channel 0 is no menu item";
    EXPECT_TRUE(field<QPushButton>("colorWell")->isHidden());
    EXPECT_TRUE(value()->isHidden());
    EXPECT_FALSE(applyButton()->isEnabled());
}

// Each control offers the kinds it can send and the fields that mean something for it.
TEST_F(CCSettingsViewControllerTest, TheFormShowsWhatEachControlCanUse)
{
    using Type = EditedControl::Type;
    const struct {
        const char *popover; // group to open first, or empty
        const char *control;
        Type type;
        const char *kinds;
        bool nameEnabled;
        bool behaviourShown;
    } cases[] = {
        {"", "slider1", Type::Fader, "ctrl pbend ctrl14 nrpn osc", true, true},
        {"8pad-group1", "pad3", Type::Pad, "ctrl note prgch nrpn osc", true, true},
        {"transport-group", "play", Type::Transport, "ctrl note MMC osc", false, false},
        {"transport-group", "previous", Type::Transport, "ctrl note osc", false, false},
        {"", "transport-group", Type::Group, "", false, false},
        {"", "8pad-group1", Type::Group, "", true, false},
    };
    for (const auto &c : cases) {
        if (*c.popover)
            store(QString::fromLatin1(c.control), {{QStringLiteral("kind"), QStringLiteral("ctrl")}},
                  QString::fromLatin1(c.popover));
    }
    openEditor();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control);
        app->closePopUp();
        if (*c.popover)
            touch(QString::fromLatin1(c.popover));
        touch(QString::fromLatin1(c.control));
        ASSERT_EQ(selectedName(), QString::fromLatin1(c.control));
        EXPECT_EQ(editor->currentControl()->type(), c.type);
        QStringList kinds;
        for (int i = 0; i < menu("kindButton")->count(); ++i)
            kinds << menu("kindButton")->itemText(i);
        EXPECT_EQ(kinds.join(u' '), QString::fromLatin1(c.kinds));
        EXPECT_EQ(line("nameTextField")->isEnabled(), c.nameEnabled);
        EXPECT_EQ(!menu("behaviorButton")->isHidden(), c.behaviourShown);
        EXPECT_FALSE(field<QPushButton>("colorWell")->isHidden());
        EXPECT_FALSE(applyButton()->isEnabled());
    }
}

TEST_F(CCSettingsViewControllerTest, PadNumbersAreNoteNamesForNotesAndPushForProgramChanges)
{
    const QString group = QStringLiteral("8pad-group1");
    store(QStringLiteral("pad1"),
          {{QStringLiteral("kind"), QStringLiteral("note")},
           {QStringLiteral("value"), 60},
           {QStringLiteral("channel"), 10}},
          group);
    openEditor();
    touch(group);
    touch(QStringLiteral("pad1"));
    EXPECT_EQ(value()->text(), QStringLiteral("C3"));
    EXPECT_EQ(colourWell(),
              QStringLiteral("background-color: ") + ControlColors::pad(group).name(QColor::HexArgb));
    typeName(QStringLiteral("Kick"));
    type(value(), QStringLiteral("D#"));
    apply();
    EXPECT_TRUE(applyButton()->isEnabled()) << "an unfinished note name is not applied";
    EXPECT_FALSE(field<QLabel>("buttonName")->text().isEmpty()) << "the window says why";
    EXPECT_EQ(storedRecord(QStringLiteral("pad1"), group).value(QStringLiteral("label")), QVariant());
    type(value(), QStringLiteral("G#8"));
    EXPECT_NE(value()->value(), 128) << "names past G8 are no MIDI notes";
    type(value(), QStringLiteral("C#4"));
    EXPECT_EQ(value()->value(), 73);

    choose(menu("kindButton"), QStringLiteral("prgch"));
    EXPECT_TRUE(menu("behaviorButton")->isHidden()) << "a program change always pushes";
    EXPECT_FALSE(line("scaleFromTextField")->isEnabled());
    EXPECT_EQ(value()->text(), QStringLiteral("73"));
    apply();
    const QVariantMap stored = storedRecord(QStringLiteral("pad1"), group);
    EXPECT_EQ(stored.value(QStringLiteral("kind")).toString(), QStringLiteral("prgch"));
    EXPECT_EQ(stored.value(QStringLiteral("value")).toInt(), 73);
    EXPECT_EQ(stored.value(QStringLiteral("channel")).toInt(), 10);
    EXPECT_FALSE(stored.contains(QStringLiteral("scaleFrom"))) << "disabled fields are not written";
}

TEST_F(CCSettingsViewControllerTest, OscAddressesKeepTheirLeadingSlashAndAddressCharacters)
{
    store(QStringLiteral("slider1"), {{QStringLiteral("kind"), QStringLiteral("osc")}});
    openEditor();
    touch(QStringLiteral("slider1"));
    type(line("addressTextField"), QStringLiteral("mix/fader 1#"));
    EXPECT_EQ(line("addressTextField")->text(), QStringLiteral("/mix/fader1"));
    type(line("scaleToTextField"), QStringLiteral("0.75"));
    apply();
    const QVariantMap stored = storedRecord(QStringLiteral("slider1"));
    EXPECT_EQ(stored.value(QStringLiteral("oscAddress")).toString(), QStringLiteral("/mix/fader1"));
    EXPECT_EQ(stored.value(QStringLiteral("scaleTo")).toDouble(), 0.75);
}

TEST_F(CCSettingsViewControllerTest, QuittingWithTheEditorOpenBringsNothingBack)
{
    openEditor();
    touch(QStringLiteral("slider1"));
    typeName(QStringLiteral("Unapplied"));
    QPointer<CCSettingsViewController> window = editor;
    app->applicationWillTerminate();
    EXPECT_FALSE(window && window->isVisible());
    EXPECT_FALSE(app->presentation().touchbarShown()) << "the window's close must not show the strip again";
}

} // namespace
