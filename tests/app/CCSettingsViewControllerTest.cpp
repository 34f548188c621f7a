#include "app/CCSettingsViewController.h"
#include "app/AppDelegate.h"
#include "app/StatusItemHost.h"
#include "app/ValueSpinBox.h"
#include "app/confirmController.h"
#include "controls/pianoView.h"
#include "midi/Client.h"
#include "model/ColorArchive.h"
#include "model/ControlCatalog.h"
#include "model/ControlColors.h"
#include "model/ControlMaps.h"
#include "model/UserDefaults.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/touchbar/HeadlessTouchBarHost.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class NoStatusItem : public StatusItemHost {
public:
    void setMenu(Menu *) override {}
    void setVisible(bool) override {}
};

QVariantMap record(const char *kind, int value, int channel, double from, double to, const char *label)
{
    return {{QStringLiteral("kind"), QString::fromLatin1(kind)},
            {QStringLiteral("value"), value},
            {QStringLiteral("channel"), channel},
            {QStringLiteral("scaleFrom"), from},
            {QStringLiteral("scaleTo"), to},
            {QStringLiteral("type"), QStringLiteral("volume")},
            {QStringLiteral("label"), QString::fromLatin1(label)}};
}

// The launched program on the loopback MIDI system and the headless strip, touch bar 0 shown,
// with "Customize Controls..." chosen: the editor is the real window, and controls are
// selected by touching the items the real factory made.
class CCSettingsViewControllerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString prefsPath = dir.filePath(QStringLiteral("prefs.plist"));
    std::unique_ptr<UserDefaults> defaults;
    NoStatusItem statusItem;
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

    void removeRecord(const QString &control)
    {
        QVariantMap map = ControlMaps(*defaults).controlMap(0);
        map.remove(control);
        ASSERT_TRUE(defaults->setObject(map, ControlMaps::storeKey(0)));
    }

    // The map of touch bar 0 as another process would read it from the file.
    QVariantMap storedMap() const
    {
        return ControlMaps(*std::make_unique<UserDefaults>(prefsPath)).controlMap(0);
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

    static void choose(QComboBox *menu, const QString &title)
    {
        const int index = menu->findText(title);
        ASSERT_GE(index, 0) << qPrintable(title);
        menu->setCurrentIndex(index);
        Q_EMIT menu->activated(index);
    }
    void typeName(const QString &text) const
    {
        line("nameTextField")->selectAll();
        QTest::keyClicks(line("nameTextField"), text);
    }
    QString selectedName() const
    {
        return editor->currentControl() ? editor->currentControl()->controlName() : QString();
    }
};

TEST_F(CCSettingsViewControllerTest, FaderKindSwitchResetsTheScaleAndTheStoredKindRestoresIt)
{
    store(QStringLiteral("slider1"), record("ctrl", 74, 3, 10, 100, "Cutoff"));
    openEditor();
    touch(QStringLiteral("slider1"));
    EXPECT_EQ(selectedName(), QStringLiteral("slider1"));
    EXPECT_EQ(editor->currentControl()->type(), EditedControl::Type::Fader);
    EXPECT_EQ(line("nameTextField")->text(), QStringLiteral("Cutoff"));
    EXPECT_EQ(menu("channelButton")->currentText(), QStringLiteral("3"));
    EXPECT_EQ(value()->value(), 74);
    EXPECT_EQ(line("scaleFromTextField")->text(), QStringLiteral("10"));
    EXPECT_EQ(line("scaleToTextField")->text(), QStringLiteral("100"));
    QStringList kinds;
    for (int i = 0; i < menu("kindButton")->count(); ++i)
        kinds << menu("kindButton")->itemText(i);
    EXPECT_EQ(kinds, QStringList({"ctrl", "pbend", "ctrl14", "nrpn", "osc"}));
    EXPECT_FALSE(applyButton()->isEnabled());

    choose(menu("kindButton"), QStringLiteral("pbend"));
    EXPECT_EQ(line("scaleFromTextField")->text(), QStringLiteral("0"));
    EXPECT_EQ(line("scaleToTextField")->text(), QStringLiteral("16383"));
    EXPECT_FALSE(value()->isEnabled()) << "pitch bend has no number";
    EXPECT_TRUE(applyButton()->isEnabled());

    choose(menu("kindButton"), QStringLiteral("osc"));
    EXPECT_EQ(line("scaleToTextField")->text(), QStringLiteral("1"));
    EXPECT_FALSE(line("addressTextField")->isHidden());
    EXPECT_TRUE(value()->isHidden());
    EXPECT_TRUE(menu("channelButton")->isHidden());

    choose(menu("kindButton"), QStringLiteral("ctrl"));
    EXPECT_EQ(line("scaleFromTextField")->text(), QStringLiteral("10"));
    EXPECT_EQ(line("scaleToTextField")->text(), QStringLiteral("100"));
    EXPECT_EQ(value()->value(), 74);
    EXPECT_TRUE(line("addressTextField")->isHidden());
    EXPECT_FALSE(applyButton()->isEnabled()) << "back where it was stored: nothing to apply";
}

TEST_F(CCSettingsViewControllerTest, FourteenBitControllerNumbersStopAt31)
{
    store(QStringLiteral("slider2"), record("ctrl", 64, 1, 0, 127, "Mod"));
    openEditor();
    touch(QStringLiteral("slider2"));
    choose(menu("kindButton"), QStringLiteral("ctrl14"));
    EXPECT_EQ(value()->value(), 31) << "a larger number already in the field is clipped";
    value()->stepUp();
    EXPECT_EQ(value()->value(), 31);
    value()->selectAll();
    QTest::keyClicks(value(), QStringLiteral("45"));
    EXPECT_EQ(value()->text(), QStringLiteral("31")) << "typing past the bound puts the bound in";
    EXPECT_EQ(value()->value(), 31);
    QTest::mouseClick(applyButton(), Qt::LeftButton);
    const QVariantMap stored = storedMap().value(QStringLiteral("slider2")).toMap();
    EXPECT_EQ(stored.value(QStringLiteral("kind")).toString(), QStringLiteral("ctrl14"));
    EXPECT_EQ(stored.value(QStringLiteral("value")).toInt(), 31);
    EXPECT_EQ(stored.value(QStringLiteral("scaleTo")).toDouble(), 16383.0);
}

TEST_F(CCSettingsViewControllerTest, EditingAGroupOrOneOfItsMembersLeavesEveryOtherRecordAlone)
{
    const QString group = QStringLiteral("4slider-group1");
    store(QStringLiteral("slider2"), record("ctrl", 2, 1, 0, 127, "Top"));
    for (int n = 1; n <= 4; ++n) {
        const QByteArray label = "Member " + QByteArray::number(n);
        store(QStringLiteral("slider%1").arg(n), record("nrpn", 300 + n, n, 0, 16383, label.constData()),
              group);
    }
    store(QStringLiteral("label"), {}, group);
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
    EXPECT_TRUE(menu("kindButton")->isHidden());
    ASSERT_NE(slotView(QStringLiteral("popup.slider2")), nullptr) << "the group's popover is open";

    touch(QStringLiteral("popup.slider2"));
    EXPECT_EQ(selectedName(), QStringLiteral("slider2"));
    EXPECT_EQ(editor->currentControl()->groupName(), group);
    EXPECT_EQ(line("nameTextField")->text(), QStringLiteral("Member 2"));
    EXPECT_EQ(value()->value(), 302);
    typeName(QStringLiteral("Violas"));
    QTest::mouseClick(applyButton(), Qt::LeftButton);

    QVariantMap after = storedMap();
    QVariantMap afterGroup = after.value(group).toMap();
    QVariantMap expectedMember = before.value(group).toMap().value(QStringLiteral("slider2")).toMap();
    expectedMember.insert(QStringLiteral("label"), QStringLiteral("Violas"));
    QVariantMap writtenMember = afterGroup.take(QStringLiteral("slider2")).toMap();
    writtenMember.remove(QStringLiteral("color"));
    EXPECT_EQ(writtenMember, expectedMember);
    QVariantMap beforeGroup = before.value(group).toMap();
    beforeGroup.remove(QStringLiteral("slider2"));
    EXPECT_EQ(afterGroup, beforeGroup) << "siblings, group label and unknown keys untouched";
    after.remove(group);
    QVariantMap beforeRest = before;
    beforeRest.remove(group);
    EXPECT_EQ(after, beforeRest) << "the top-level slider2 and every other record untouched";

    // The group's own record holds the members: a new title must keep them all.
    app->closePopUp();
    touch(group);
    typeName(QStringLiteral("Brass"));
    QTest::mouseClick(applyButton(), Qt::LeftButton);
    const QVariantMap regrouped = storedMap().value(group).toMap();
    EXPECT_EQ(regrouped.value(QStringLiteral("label")).toString(), QStringLiteral("Brass"));
    EXPECT_EQ(regrouped.value(QStringLiteral("slider2")).toMap().value(QStringLiteral("label")).toString(),
              QStringLiteral("Violas"));
    for (const char *member : {"slider1", "slider3", "slider4"})
        EXPECT_EQ(regrouped.value(QLatin1String(member)),
                  before.value(group).toMap().value(QLatin1String(member)));
}

struct PendingCase {
    const char *answer;
    const char *selectedAfter;
    const char *storedLabel;
    bool stillPending;
};

class PendingEditsTest : public CCSettingsViewControllerTest,
                         public ::testing::WithParamInterface<PendingCase> {};

TEST_P(PendingEditsTest, TouchingASecondControlAsksFirst)
{
    const PendingCase c = GetParam();
    store(QStringLiteral("slider1"), record("ctrl", 1, 1, 0, 127, "One"));
    store(QStringLiteral("slider2"), record("ctrl", 2, 1, 0, 127, "Two"));
    openEditor();
    touch(QStringLiteral("slider1"));
    typeName(QStringLiteral("Edited"));
    ASSERT_TRUE(applyButton()->isEnabled());

    touch(QStringLiteral("slider2"));
    confirmController *sheet = editor->confirmationSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(selectedName(), QStringLiteral("slider1")) << "nothing switches before the answer";
    EXPECT_EQ(line("nameTextField")->text(), QStringLiteral("Edited"));

    const QString answer = QString::fromLatin1(c.answer);
    QPushButton *button = answer == QLatin1String("apply")     ? sheet->applyButton()
                          : answer == QLatin1String("discard") ? sheet->dismissButton()
                                                               : sheet->cancelButton();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(selectedName(), QString::fromLatin1(c.selectedAfter));
    EXPECT_EQ(storedMap().value(QStringLiteral("slider1")).toMap().value(QStringLiteral("label")).toString(),
              QString::fromLatin1(c.storedLabel));
    EXPECT_EQ(applyButton()->isEnabled(), c.stillPending);
    const QString shownLabel = c.stillPending ? QStringLiteral("Edited") : QStringLiteral("Two");
    EXPECT_EQ(line("nameTextField")->text(), shownLabel);
}

INSTANTIATE_TEST_SUITE_P(Answers, PendingEditsTest,
                         ::testing::Values(PendingCase{"apply", "slider2", "Edited", false},
                                           PendingCase{"discard", "slider2", "One", false},
                                           PendingCase{"cancel", "slider1", "One", true}),
                         [](const auto &info) { return std::string(info.param.answer); });

TEST_F(CCSettingsViewControllerTest, ClosingWithPendingEditsAsksAndClosesOnlyAfterApplyOrDiscard)
{
    store(QStringLiteral("slider1"), record("ctrl", 1, 1, 0, 127, "One"));
    openEditor();
    QPointer<CCSettingsViewController> window = editor;
    touch(QStringLiteral("slider1"));
    typeName(QStringLiteral("Kept"));

    EXPECT_FALSE(editor->close());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->wantsToBeClosed());
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
    EXPECT_EQ(storedMap().value(QStringLiteral("slider1")).toMap().value(QStringLiteral("label")).toString(),
              QStringLiteral("Kept"));
}

TEST_F(CCSettingsViewControllerTest, ApplyWritesTheRecordAndRebuildsTheStrip)
{
    store(QStringLiteral("slider1"), record("ctrl", 1, 1, 0, 127, "One"));
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
    QTest::mouseClick(applyButton(), Qt::LeftButton);
    EXPECT_FALSE(applyButton()->isEnabled());

    const QVariantMap stored = storedMap().value(QStringLiteral("slider1")).toMap();
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
    removeRecord(QStringLiteral("slider1"));
    removeRecord(QStringLiteral("piano"));
    openEditor();
    touch(QStringLiteral("slider1"));
    EXPECT_EQ(line("nameTextField")->text(), QString());
    EXPECT_EQ(line("addressTextField")->text(), QStringLiteral("/"));
    EXPECT_EQ(menu("kindButton")->currentText(), QStringLiteral("ctrl"));
    EXPECT_EQ(line("scaleFromTextField")->text(), QStringLiteral("0"));
    EXPECT_EQ(line("scaleToTextField")->text(), QStringLiteral("127"));
    EXPECT_EQ(field<QPushButton>("colorWell")->styleSheet(),
              QStringLiteral("background-color: ") + ControlColors::fader().name(QColor::HexArgb));
    EXPECT_FALSE(applyButton()->isEnabled());

    // The piano is edited through the same entry as every touched control.
    pianoView piano(2, 4);
    editor->setCurrentControl(&piano);
    EXPECT_EQ(menu("startOctaveButton")->currentIndex(), 4);
    EXPECT_EQ(menu("numOctavesButton")->currentText(), QStringLiteral("2"));
    EXPECT_EQ(menu("kindButton")->currentText(), QStringLiteral("note"));
    EXPECT_EQ(line("scaleToTextField")->text(), QStringLiteral("127"));
    EXPECT_EQ(menu("channelButton")->currentIndex(), -1) << "channel 0 is no menu item";
    EXPECT_TRUE(field<QPushButton>("colorWell")->isHidden());
    EXPECT_TRUE(value()->isHidden());
    EXPECT_FALSE(applyButton()->isEnabled());
}

struct KindDefault {
    const char *kind;
    const char *scaleTo;
};

class ScaleDefaultTest : public CCSettingsViewControllerTest,
                         public ::testing::WithParamInterface<KindDefault> {};

TEST_P(ScaleDefaultTest, AMissingScaleEndTakesTheKindsDefault)
{
    store(QStringLiteral("slider1"), {{QStringLiteral("kind"), QString::fromLatin1(GetParam().kind)}});
    openEditor();
    touch(QStringLiteral("slider1"));
    EXPECT_EQ(menu("kindButton")->currentText(), QString::fromLatin1(GetParam().kind));
    EXPECT_EQ(line("scaleFromTextField")->text(), QStringLiteral("0"));
    EXPECT_EQ(line("scaleToTextField")->text(), QString::fromLatin1(GetParam().scaleTo));
    EXPECT_FALSE(applyButton()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Kinds, ScaleDefaultTest,
                         ::testing::Values(KindDefault{"ctrl", "127"}, KindDefault{"pbend", "16383"},
                                           KindDefault{"ctrl14", "16383"}, KindDefault{"nrpn", "16383"},
                                           KindDefault{"osc", "1"}),
                         [](const auto &info) { return std::string(info.param.kind); });

struct FormCase {
    const char *popover; // group to open first, or empty
    const char *control;
    EditedControl::Type type;
    QStringList kinds;
    bool nameEnabled;
    bool behaviourShown;
    bool colourShown;
};

class FormPerControlTest : public CCSettingsViewControllerTest,
                           public ::testing::WithParamInterface<FormCase> {};

// Each control shows the kinds it can send and the fields that mean something for it.
TEST_P(FormPerControlTest, ShowsWhatTheControlCanUse)
{
    const FormCase c = GetParam();
    QVariantMap ctrl{{QStringLiteral("kind"), QStringLiteral("ctrl")}, {QStringLiteral("channel"), 1}};
    if (*c.popover)
        store(QString::fromLatin1(c.control), ctrl, QString::fromLatin1(c.popover));
    openEditor();
    if (*c.popover)
        touch(QString::fromLatin1(c.popover));
    touch(QString::fromLatin1(c.control));
    ASSERT_TRUE(editor->currentControl());
    EXPECT_EQ(editor->currentControl()->type(), c.type);
    QStringList kinds;
    for (int i = 0; i < menu("kindButton")->count(); ++i)
        kinds << menu("kindButton")->itemText(i);
    EXPECT_EQ(kinds, c.kinds);
    EXPECT_EQ(line("nameTextField")->isEnabled(), c.nameEnabled);
    EXPECT_EQ(!menu("behaviorButton")->isHidden(), c.behaviourShown);
    EXPECT_EQ(!field<QPushButton>("colorWell")->isHidden(), c.colourShown);
    EXPECT_FALSE(applyButton()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FormPerControlTest,
    ::testing::Values(FormCase{"",
                               "slider1",
                               EditedControl::Type::Fader,
                               {"ctrl", "pbend", "ctrl14", "nrpn", "osc"},
                               true,
                               true,
                               true},
                      FormCase{"8pad-group1",
                               "pad3",
                               EditedControl::Type::Pad,
                               {"ctrl", "note", "prgch", "nrpn", "osc"},
                               true,
                               true,
                               true},
                      FormCase{"transport-group",
                               "play",
                               EditedControl::Type::Transport,
                               {"ctrl", "note", "MMC", "osc"},
                               false,
                               false,
                               true},
                      FormCase{"transport-group",
                               "previous",
                               EditedControl::Type::Transport,
                               {"ctrl", "note", "osc"},
                               false,
                               false,
                               true},
                      FormCase{"", "transport-group", EditedControl::Type::Group, {}, false, false, true},
                      FormCase{"", "8pad-group1", EditedControl::Type::Group, {}, true, false, true}),
    [](const auto &info) {
        std::string name = info.param.control;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

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
    EXPECT_EQ(field<QPushButton>("colorWell")->styleSheet(),
              QStringLiteral("background-color: ") + ControlColors::pad(group).name(QColor::HexArgb));
    value()->selectAll();
    QTest::keyClicks(value(), QStringLiteral("G#8"));
    EXPECT_NE(value()->value(), 128) << "names past G8 are no MIDI notes";
    value()->selectAll();
    QTest::keyClicks(value(), QStringLiteral("C#4"));
    EXPECT_EQ(value()->value(), 73);
    EXPECT_TRUE(applyButton()->isEnabled());

    choose(menu("kindButton"), QStringLiteral("prgch"));
    EXPECT_TRUE(menu("behaviorButton")->isHidden()) << "a program change always pushes";
    EXPECT_FALSE(line("scaleFromTextField")->isEnabled());
    EXPECT_EQ(value()->text(), QStringLiteral("73"));
    QTest::mouseClick(applyButton(), Qt::LeftButton);
    const QVariantMap stored = storedMap().value(group).toMap().value(QStringLiteral("pad1")).toMap();
    EXPECT_EQ(stored.value(QStringLiteral("kind")).toString(), QStringLiteral("prgch"));
    EXPECT_EQ(stored.value(QStringLiteral("value")).toInt(), 73);
    EXPECT_EQ(stored.value(QStringLiteral("channel")).toInt(), 10);
    EXPECT_FALSE(stored.contains(QStringLiteral("scaleFrom"))) << "disabled fields are not written";
}

TEST_F(CCSettingsViewControllerTest, AnUnfinishedNoteNameIsNotApplied)
{
    const QString group = QStringLiteral("8pad-group1");
    store(QStringLiteral("pad2"),
          {{QStringLiteral("kind"), QStringLiteral("note")}, {QStringLiteral("value"), 60}}, group);
    openEditor();
    touch(group);
    touch(QStringLiteral("pad2"));
    typeName(QStringLiteral("Kick"));
    value()->selectAll();
    QTest::keyClicks(value(), QStringLiteral("D#"));
    QTest::mouseClick(applyButton(), Qt::LeftButton);
    EXPECT_TRUE(applyButton()->isEnabled());
    EXPECT_FALSE(field<QLabel>("buttonName")->text().isEmpty()) << "the window says why";
    EXPECT_EQ(
        storedMap().value(group).toMap().value(QStringLiteral("pad2")).toMap().value(QStringLiteral("label")),
        QVariant());
}

TEST_F(CCSettingsViewControllerTest, OscAddressesKeepTheirLeadingSlashAndAddressCharacters)
{
    store(QStringLiteral("slider1"), {{QStringLiteral("kind"), QStringLiteral("osc")}});
    openEditor();
    touch(QStringLiteral("slider1"));
    QLineEdit *address = line("addressTextField");
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("mix/fader 1#"));
    EXPECT_EQ(address->text(), QStringLiteral("/mix/fader1"));
    line("scaleToTextField")->selectAll();
    QTest::keyClicks(line("scaleToTextField"), QStringLiteral("0.75"));
    QTest::mouseClick(applyButton(), Qt::LeftButton);
    const QVariantMap stored = storedMap().value(QStringLiteral("slider1")).toMap();
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
