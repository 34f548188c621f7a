#include "app/CCSettingsViewController.h"
#include "AppDelegateTestSupport.h"
#include "app/ValueSpinBox.h"
#include "app/confirmController.h"
#include "midi/Client.h"
#include "model/ControlMaps.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QVariantMap record(const char *kind, int value, double from, double to, const QString &label)
{
    return {{QStringLiteral("kind"), QString::fromLatin1(kind)},
            {QStringLiteral("value"), value},
            {QStringLiteral("channel"), 1},
            {QStringLiteral("scaleFrom"), from},
            {QStringLiteral("scaleTo"), to},
            {QStringLiteral("label"), label},
            {QStringLiteral("type"), QStringLiteral("volume")}};
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
    QVariant storedField(const QString &control, const char *key) const
    {
        return storedMap().value(control).toMap().value(QString::fromLatin1(key));
    }
    void touch(const QString &controlName)
    {
        QWidget *view = nullptr;
        for (const TouchBarHost::Slot &slot : host.presentedSlots()) {
            if (slot.identifier.endsWith(QLatin1Char('.') + controlName) && slot.item && slot.item->view())
                view = slot.item->view();
        }
        ASSERT_NE(view, nullptr) << qPrintable(controlName) << " is not on the strip";
        view->resize(100, 30);
        QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    }

    template <typename T = QLineEdit> T *field(const char *outlet) const
    {
        T *found = editor->findChild<T *>(QString::fromLatin1(outlet));
        EXPECT_NE(found, nullptr) << outlet;
        return found;
    }
    ValueSpinBox *value() const { return field<ValueSpinBox>("valueTextField"); }
    QPushButton *applyButton() const { return field<QPushButton>("applyButton"); }
    QStringList scale() const
    {
        return {field("scaleFromTextField")->text(), field("scaleToTextField")->text()};
    }
    void chooseKind(const char *kind) const
    {
        QComboBox *menu = field<QComboBox>("kindButton");
        const int index = menu->findText(QString::fromLatin1(kind));
        ASSERT_GE(index, 0) << kind;
        menu->setCurrentIndex(index);
        Q_EMIT menu->activated(index);
    }
    // Replaces the field's text by typing, as the user would.
    template <typename Field> static void type(Field *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void typeName(const QString &text) const { type(field("nameTextField"), text); }
    void apply() const { QTest::mouseClick(applyButton(), Qt::LeftButton); }
    QString selectedName() const
    {
        const auto &control = editor->currentControl();
        return control ? control->controlName() : QString();
    }
};

TEST_F(CCSettingsViewControllerTest, PitchBendResetsTheScaleAndTheStoredKindRestoresIt)
{
    store(QStringLiteral("slider1"), record("ctrl", 74, 10, 100, QStringLiteral("Cutoff")));
    openEditor();
    touch(QStringLiteral("slider1"));
    EXPECT_EQ(scale(), QStringList({"10", "100"}));
    chooseKind("pbend");
    EXPECT_EQ(scale(), QStringList({"0", "16383"}));
    EXPECT_FALSE(value()->isEnabled()) << "pitch bend has no number";
    EXPECT_TRUE(applyButton()->isEnabled());
    chooseKind("ctrl");
    EXPECT_EQ(scale(), QStringList({"10", "100"}));
    EXPECT_EQ(value()->value(), 74);
    EXPECT_FALSE(applyButton()->isEnabled()) << "back where it was stored: nothing to apply";
}

TEST_F(CCSettingsViewControllerTest, FourteenBitControllerNumbersStopAt31)
{
    store(QStringLiteral("slider2"), record("ctrl", 64, 0, 127, QStringLiteral("Mod")));
    openEditor();
    touch(QStringLiteral("slider2"));
    chooseKind("ctrl14");
    EXPECT_EQ(value()->value(), 31) << "a larger number already in the field is clipped";
    type(value(), QStringLiteral("45"));
    EXPECT_EQ(value()->text(), QStringLiteral("31")) << "typing past the bound puts the bound in";
    apply();
    EXPECT_EQ(storedField(QStringLiteral("slider2"), "kind").toString(), QStringLiteral("ctrl14"));
    EXPECT_EQ(storedField(QStringLiteral("slider2"), "value").toInt(), 31);
}

// An emptied scale field is no number: Apply refuses it with a word, as it does an empty value.
TEST_F(CCSettingsViewControllerTest, AnEmptiedScaleFieldIsRefusedWithAMessage)
{
    store(QStringLiteral("slider1"), record("ctrl", 7, 10, 100, QStringLiteral("Vol")));
    openEditor();
    touch(QStringLiteral("slider1"));
    QLineEdit *to = field("scaleToTextField");
    to->selectAll();
    QTest::keyClick(to, Qt::Key_Backspace);
    ASSERT_TRUE(to->text().isEmpty());
    ASSERT_TRUE(applyButton()->isEnabled());
    apply();
    EXPECT_EQ(storedField(QStringLiteral("slider1"), "scaleTo").toDouble(), 100.0);
    EXPECT_FALSE(field<QLabel>("buttonName")->text().isEmpty()) << "the user is told why";
    EXPECT_TRUE(applyButton()->isEnabled()) << "the edit stays to be mended";
}

TEST_F(CCSettingsViewControllerTest, EditingAGroupMemberLeavesEveryOtherRecordAlone)
{
    const QString group = QStringLiteral("4slider-group1");
    store(QStringLiteral("slider2"), record("ctrl", 2, 0, 127, QStringLiteral("Top")));
    for (int n = 1; n <= 4; ++n)
        store(QStringLiteral("slider%1").arg(n),
              record("nrpn", 300 + n, 0, 16383, QStringLiteral("M%1").arg(n)), group);
    // The whole map in the file, as after any earlier edit, so every record can be compared.
    ASSERT_TRUE(defaults->setObject(ControlMaps(*defaults).controlMap(0), ControlMaps::storeKey(0)));
    QVariantMap expected = storedMap();
    openEditor();
    touch(group);
    touch(QStringLiteral("popup.slider2"));
    EXPECT_EQ(value()->value(), 302) << "the member's record, not the top-level slider2's";
    typeName(QStringLiteral("Violas"));
    apply();

    // Byte-identical apart from the member's label (and the colour the form always writes).
    QVariantMap expectedGroup = expected.value(group).toMap();
    QVariantMap member = expectedGroup.value(QStringLiteral("slider2")).toMap();
    member.insert(QStringLiteral("label"), QStringLiteral("Violas"));
    expectedGroup.insert(QStringLiteral("slider2"), member);
    expected.insert(group, expectedGroup);
    QVariantMap after = storedMap();
    QVariantMap afterGroup = after.value(group).toMap();
    QVariantMap written = afterGroup.value(QStringLiteral("slider2")).toMap();
    written.remove(QStringLiteral("color"));
    afterGroup.insert(QStringLiteral("slider2"), written);
    after.insert(group, afterGroup);
    EXPECT_EQ(after, expected);
}

TEST_F(CCSettingsViewControllerTest, TouchingASecondControlWithPendingEditsAsksFirst)
{
    const struct {
        const char *answer;
        QPushButton *(confirmController::*button)() const;
        const char *selectedAfter;
        const char *storedLabel;
    } cases[] = {{"discard", &confirmController::dismissButton, "slider2", "One"},
                 {"cancel", &confirmController::cancelButton, "slider1", "One"},
                 {"apply", &confirmController::applyButton, "slider2", "Edited"}};
    store(QStringLiteral("slider1"), record("ctrl", 1, 0, 127, QStringLiteral("One")));
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
        EXPECT_EQ(selectedName(), QStringLiteral("slider1")) << "nothing switches before the answer";
        QTest::mouseClick((sheet->*c.button)(), Qt::LeftButton);
        EXPECT_EQ(selectedName(), QString::fromLatin1(c.selectedAfter));
        EXPECT_EQ(storedField(QStringLiteral("slider1"), "label").toString(),
                  QString::fromLatin1(c.storedLabel));
    }
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
