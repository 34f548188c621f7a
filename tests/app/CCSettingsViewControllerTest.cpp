#include "EditorRig.h"

namespace {

using CCSettingsViewControllerTest = EditorRig;

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

// The form fields each type of control shows, by short name.
std::string shownFields(const CCSettingsViewController &editor)
{
    const std::pair<const char *, const char *> fields[] = {
        {"nameTextField", "name"},      {"colorWell", "colour"},        {"kindButton", "kind"},
        {"channelButton", "channel"},   {"valueTextField", "value"},     {"addressTextField", "address"},
        {"behaviorButton", "behaviour"}, {"scaleFromTextField", "from"}, {"scaleToTextField", "to"},
        {"startOctaveButton", "lowest"}, {"numOctavesButton", "octaves"}};
    QStringList shown;
    for (const auto &[outlet, name] : fields) {
        const auto *field = editor.findChild<QWidget *>(QString::fromLatin1(outlet));
        if (field && !field->isHidden())
            shown.append(QString::fromLatin1(name));
    }
    return shown.join(' ').toStdString();
}

std::string items(const QComboBox *menu)
{
    QStringList titles;
    for (int i = 0; i < menu->count(); ++i)
        titles.append(menu->itemText(i));
    return titles.join(' ').toStdString();
}

// Each type of control gets its own form: the kinds it may send, its behaviours and the fields
// that make sense for it. Where a record or a key is missing, the form shows the defaults.
TEST_F(CCSettingsViewControllerTest, EachControlTypeGetsItsFormAndAControlWithoutARecordTheDefaults)
{
    const struct {
        const char *control;
        const char *kinds;
        const char *behaviours;
        const char *shown;
        bool nameEnabled;
    } cases[] = {
        {"slider1", "ctrl pbend ctrl14 nrpn osc", "Volume Pan Pitchbend",
         "name colour kind channel value behaviour from to", true},
        {"pad1", "ctrl note prgch nrpn osc", "Momentary Toggle Push Button",
         "name colour kind channel value behaviour from to", true},
        {"play", "ctrl note MMC osc", "", "name colour kind channel value from to", false},
        {"piano", "note osc", "Glissando No Glissando Pitchbend",
         "name kind channel behaviour from to lowest octaves", false},
        {"8pad-group1", "", "", "name colour", true},
        {"transport-group", "", "", "name colour", false},
    };
    QStringList arrangement;
    for (const auto &c : cases)
        arrangement.append(QString::fromLatin1(c.control));
    arrange(arrangement);
    QVariantMap map = ControlMaps(*defaults).controlMap(0);
    map.remove(QStringLiteral("pad1"));
    QVariantMap piano = map.value(QStringLiteral("piano")).toMap();
    piano.remove(QStringLiteral("startOctave"));
    piano.remove(QStringLiteral("octaves"));
    map.insert(QStringLiteral("piano"), piano);
    ASSERT_TRUE(defaults->setObject(map, ControlMaps::storeKey(0)));
    openEditor();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control);
        touch(QString::fromLatin1(c.control));
        EXPECT_EQ(shownFields(*editor), c.shown);
        if (*c.kinds) {
            EXPECT_EQ(items(field<QComboBox>("kindButton")), c.kinds);
        }
        if (*c.behaviours) {
            EXPECT_EQ(items(field<QComboBox>("behaviorButton")), c.behaviours);
        }
        EXPECT_EQ(field("nameTextField")->isEnabled(), c.nameEnabled);
        EXPECT_FALSE(applyButton()->isEnabled()) << "nothing edited yet";
        if (QString::fromLatin1(c.control).contains(QLatin1String("group"))) {
            // A group's button opens its popover; back to the touch bar for the next control.
            app->presentation().closePopUp();
            ASSERT_TRUE(QTest::qWaitFor([this] { return host.presentedIdentifiers().size() > 1; }, 1000));
        }
    }

    touch(QStringLiteral("pad1"));
    EXPECT_EQ(field("nameTextField")->text(), QString());
    EXPECT_TRUE(field<QPushButton>("colorWell")
                    ->styleSheet()
                    .contains(QColor::fromRgbF(0.2835f, 0.56f, 0.4076f).name(QColor::HexArgb)));
    EXPECT_EQ(field("addressTextField")->text(), QStringLiteral("/"));
    EXPECT_EQ(scale(), QStringList({"0", "127"}));
    touch(QStringLiteral("piano"));
    EXPECT_EQ(field<QComboBox>("startOctaveButton")->currentIndex(), 4);
    EXPECT_EQ(field<QComboBox>("numOctavesButton")->currentText(), QStringLiteral("2"));
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
