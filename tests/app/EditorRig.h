#pragma once

#include "AppDelegateTestSupport.h"
#include "app/CCSettingsViewController.h"
#include "app/ValueSpinBox.h"
#include "app/confirmController.h"
#include "midi/Client.h"
#include "model/ControlCatalog.h"
#include "model/ControlMaps.h"
#include "platform/loopback/LoopbackBackend.h"
#include "platform/touchbar/TouchBar.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

inline QVariantMap record(const char *kind, int value, double from, double to, const QString &label)
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
class EditorRig : public ::testing::Test {
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

    // Places these controls on touch bar 0 instead of its default items; before the window opens.
    void arrange(const QStringList &controlNames)
    {
        QStringList identifiers;
        for (const QString &name : controlNames)
            identifiers.append(ControlCatalog::identifier(name));
        ASSERT_TRUE(app->templates().userTouchBar(0)->storeArrangement(identifiers));
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
