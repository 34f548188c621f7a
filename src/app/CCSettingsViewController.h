#pragma once

#include "ControlEditorRules.h"
#include "ControlPresets.h"
#include "EditedControl.h"
#include "confirmControllerDelegate.h"
#include "model/ControlMaps.h"

#include <QColor>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

#include <optional>

class AppDelegate;
class ControlPreview;
class QColorDialog;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class ScaleValidator;
class UserDefaults;
class ValueSpinBox;
class confirmController;
class settingsDelegate;

// The window in which the user edits the settings record of one control of the current user
// touch bar. Touching a control while the window is open selects it; the form offers the
// fields that make sense for that control and its kind, and Apply writes the record and has
// the strip rebuilt. The fields carry their outlet names as object names.
class CCSettingsViewController : public QWidget, public confirmControllerDelegate {
    Q_OBJECT
public:
    // Neither is owned; the store must outlive the editor, the delegate may be null.
    CCSettingsViewController(UserDefaults &defaults, settingsDelegate *delegate, QWidget *parent = nullptr);
    ~CCSettingsViewController() override;

    // Plugs the editor in as the window of "Customize Controls..." and lets controls touched
    // in edit mode select themselves in it.
    static void install(AppDelegate &app);

    int touchBarNumber() const { return m_touchBarNumber; }
    void setTouchBarNumber(int number);
    // Null, or anything that is no control of a user touch bar, empties the form.
    void setCurrentControl(QObject *control);
    const std::optional<EditedControl> &currentControl() const { return m_control; }
    bool hasPendingChanges() const;
    void applySettings();

    void applyChanges() override;
    void dismissChanges() override;
    void cancelChanges() override;
    // The sheet asking about unapplied edits while it is up, else null.
    confirmController *confirmationSheet() const;
    bool wantsToBeClosed() const { return m_wantsToBeClosed; }

protected:
    // Refuses while edits are unapplied and asks what to do with them instead.
    void closeEvent(QCloseEvent *event) override;

private:
    using Kind = ControlSettings::Kind;
    using Type = EditedControl::Type;

    void viewDidLoad();
    void addRow(QFormLayout *form, const QString &label, QWidget *field, const char *outlet);
    void setInitialState();
    void select(const std::optional<EditedControl> &control);
    void clearView();
    void layoutForType();
    void setKindItems(const QList<Kind> &kinds);
    void setBehaviourItems();
    Kind chosenKind() const;
    void kindChosen();
    void setViewTo(Kind kind);
    void showOSCAddress(bool shown);
    void setScaleRange(const ControlEditorRules::ScaleRange &range);
    QVariantMap readRecord() const;
    void readingFromPreferences();
    void showPresets();
    void setColor(const QColor &color);
    void colorChanged(const QColor &color);
    void openColorPanel();
    void octavesChosen();
    void checkForChange();
    bool differsFromPresets() const;
    std::optional<QString> invalidInput() const;
    QVariantMap formRecord(QVariantMap record) const;
    bool writeRecord(const QVariantMap &record);
    void takePresetsFromForm();
    void drawPreview();
    QString caption() const;
    void presentConfirmation();
    void closeConfirmation();
    void afterConfirmation();

    void setShown(QWidget *field, bool shown);
    static bool isLive(const QWidget *field);

    ControlMaps m_maps;
    settingsDelegate *m_delegate;
    int m_touchBarNumber = 0;
    std::optional<EditedControl> m_control;
    // A control touched while edits were pending: switched to once the sheet is answered.
    std::optional<std::optional<EditedControl>> m_newControl;
    bool m_wantsToBeClosed = false;
    bool m_closing = false;
    QVariantMap m_currentControlPrefs;
    ControlPresets m_presets;
    QColor m_color;
    QPointer<confirmController> m_sheet;

    QFormLayout *m_form = nullptr;
    QLabel *m_touchBarName = nullptr;
    QLabel *m_buttonName = nullptr;
    ControlPreview *m_preview = nullptr;
    QLineEdit *m_nameTextField = nullptr;
    QPushButton *m_colorWell = nullptr;
    QColorDialog *m_colorPanel = nullptr;
    QComboBox *m_kindButton = nullptr;
    QComboBox *m_channelButton = nullptr;
    ValueSpinBox *m_valueTextField = nullptr;
    QLineEdit *m_addressTextField = nullptr;
    QComboBox *m_behaviorButton = nullptr;
    QLineEdit *m_scaleFromTextField = nullptr;
    QLineEdit *m_scaleToTextField = nullptr;
    ScaleValidator *m_scaleValidator = nullptr;
    QComboBox *m_startOctaveButton = nullptr;
    QComboBox *m_numOctavesButton = nullptr;
    QPushButton *m_applyButton = nullptr;
};
