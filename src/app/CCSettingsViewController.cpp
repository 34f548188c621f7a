#include "CCSettingsViewController.h"

#include "AppDelegate.h"
#include "ControlPresets.h"
#include "ControlPreview.h"
#include "ScaleValidator.h"
#include "ValueSpinBox.h"
#include "confirmController.h"
#include "model/ColorArchive.h"
#include "model/ControlColors.h"
#include "model/midiFormatter.h"
#include "osc/OSCAddressFormatter.h"
#include "settingsDelegate.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {

const QString selectHint = QStringLiteral("Select a control in the Touchbar.");
constexpr int channelCount = 16;
constexpr int octaveLimit = ControlPresets::octaveLimit;

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

} // namespace

CCSettingsViewController::CCSettingsViewController(UserDefaults &defaults, settingsDelegate *delegate,
                                                   QWidget *parent)
    : QWidget(parent)
    , m_maps(defaults)
    , m_delegate(delegate)
{
    viewDidLoad();
}

CCSettingsViewController::~CCSettingsViewController() = default;

void CCSettingsViewController::install(AppDelegate &app)
{
    auto current = std::make_shared<QPointer<CCSettingsViewController>>();
    app.settingsWindows().setContentFactory(SettingsWindows::Kind::Controls, [&app, current] {
        auto *editor = new CCSettingsViewController(app.defaults(), &app);
        editor->setTouchBarNumber(app.presentation().userTouchbarNumber());
        *current = editor;
        return editor;
    });
    app.controls().setEditorHandOver([current](int userTouchbarNumber, QObject *control) {
        if (CCSettingsViewController *editor = *current) {
            editor->setTouchBarNumber(userTouchbarNumber);
            editor->setCurrentControl(control);
        }
    });
}

void CCSettingsViewController::addRow(QFormLayout *form, const QString &label, QWidget *field,
                                      const char *outlet)
{
    field->setObjectName(QString::fromLatin1(outlet));
    form->addRow(label, field);
}

void CCSettingsViewController::viewDidLoad()
{
    setWindowTitle(tr("Control Settings"));
    auto *layout = new QVBoxLayout(this);
    // Each control shows other rows: the window takes the size of the form it shows.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_touchBarName = new QLabel;
    m_touchBarName->setObjectName(QStringLiteral("touchBarName"));
    m_buttonName = new QLabel;
    m_buttonName->setObjectName(QStringLiteral("buttonName"));
    m_preview = new ControlPreview;
    m_preview->setObjectName(QStringLiteral("preview"));
    layout->addWidget(m_touchBarName);
    layout->addWidget(m_preview);
    layout->addWidget(m_buttonName);

    auto *form = m_form = new QFormLayout;
    layout->addLayout(form);
    m_nameTextField = new QLineEdit;
    addRow(form, tr("Label"), m_nameTextField, "nameTextField");
    m_colorWell = new QPushButton;
    addRow(form, tr("Colour"), m_colorWell, "colorWell");
    m_kindButton = new QComboBox;
    addRow(form, tr("Kind"), m_kindButton, "kindButton");
    m_channelButton = new QComboBox;
    for (int channel = 1; channel <= channelCount; ++channel)
        m_channelButton->addItem(QString::number(channel));
    addRow(form, tr("Channel"), m_channelButton, "channelButton");
    m_valueTextField = new ValueSpinBox;
    addRow(form, tr("Number"), m_valueTextField, "valueTextField");
    m_addressTextField = new QLineEdit;
    m_addressTextField->setValidator(new OSCAddressFormatter(m_addressTextField));
    addRow(form, tr("OSC Address"), m_addressTextField, "addressTextField");
    m_behaviorButton = new QComboBox;
    addRow(form, tr("Behaviour"), m_behaviorButton, "behaviorButton");
    m_scaleValidator = new ScaleValidator(this);
    m_scaleFromTextField = new QLineEdit;
    m_scaleFromTextField->setValidator(m_scaleValidator);
    addRow(form, tr("From"), m_scaleFromTextField, "scaleFromTextField");
    m_scaleToTextField = new QLineEdit;
    m_scaleToTextField->setValidator(m_scaleValidator);
    addRow(form, tr("To"), m_scaleToTextField, "scaleToTextField");
    m_startOctaveButton = new QComboBox;
    const midiFormatter names;
    for (int octave = 0; octave < octaveLimit; ++octave)
        m_startOctaveButton->addItem(names.stringForObjectValue(12 * octave).value_or(QString()));
    addRow(form, tr("Lowest Key"), m_startOctaveButton, "startOctaveButton");
    m_numOctavesButton = new QComboBox;
    for (int octaves = 1; octaves <= octaveLimit; ++octaves)
        m_numOctavesButton->addItem(QString::number(octaves));
    addRow(form, tr("Octaves"), m_numOctavesButton, "numOctavesButton");
    m_applyButton = new QPushButton(tr("Apply"));
    m_applyButton->setObjectName(QStringLiteral("applyButton"));
    layout->addWidget(m_applyButton, 0, Qt::AlignRight);

    m_colorPanel = new QColorDialog(this);
    m_colorPanel->setObjectName(QStringLiteral("colorPanel"));
    m_colorPanel->setOptions(QColorDialog::NoButtons | QColorDialog::ShowAlphaChannel |
                             QColorDialog::DontUseNativeDialog);
    connect(m_colorPanel, &QColorDialog::currentColorChanged, this, &CCSettingsViewController::colorChanged);
    connect(m_colorWell, &QPushButton::clicked, this, &CCSettingsViewController::openColorPanel);

    for (QLineEdit *field : {m_nameTextField, m_addressTextField, m_scaleFromTextField, m_scaleToTextField})
        connect(field, &QLineEdit::textEdited, this, &CCSettingsViewController::checkForChange);
    connect(m_valueTextField, &QSpinBox::valueChanged, this, &CCSettingsViewController::checkForChange);
    connect(m_kindButton, &QComboBox::activated, this, &CCSettingsViewController::kindChosen);
    connect(m_numOctavesButton, &QComboBox::activated, this, &CCSettingsViewController::octavesChosen);
    for (QComboBox *menu : {m_channelButton, m_behaviorButton, m_startOctaveButton})
        connect(menu, &QComboBox::activated, this, &CCSettingsViewController::checkForChange);
    connect(m_applyButton, &QPushButton::clicked, this, &CCSettingsViewController::applySettings);

    setInitialState();
}

void CCSettingsViewController::setShown(QWidget *field, bool shown)
{
    field->setVisible(shown);
    if (QWidget *label = m_form->labelForField(field))
        label->setVisible(shown);
}

bool CCSettingsViewController::isLive(const QWidget *field)
{
    return field->isEnabled() && !field->isHidden();
}

void CCSettingsViewController::setTouchBarNumber(int number)
{
    m_touchBarNumber = number;
    m_touchBarName->setText(QStringLiteral("Touchbar %1").arg(number + 1));
}

void CCSettingsViewController::setInitialState()
{
    m_control.reset();
    m_currentControlPrefs.clear();
    for (QWidget *field : std::initializer_list<QWidget *>{m_kindButton, m_valueTextField, m_nameTextField,
                                                           m_channelButton, m_applyButton})
        field->setEnabled(false);
    m_valueTextField->clear();
    m_nameTextField->clear();
    for (QWidget *field : std::initializer_list<QWidget *>{m_colorWell, m_behaviorButton, m_addressTextField,
                                                           m_numOctavesButton, m_startOctaveButton})
        setShown(field, false);
    m_scaleFromTextField->setEnabled(false);
    m_scaleToTextField->setEnabled(false);
    m_buttonName->setText(selectHint);
    m_preview->clear();
}

void CCSettingsViewController::setCurrentControl(QObject *control)
{
    select(control ? EditedControl::from(control, m_touchBarNumber) : std::nullopt);
}

bool CCSettingsViewController::hasPendingChanges() const
{
    return m_applyButton->isEnabled();
}

void CCSettingsViewController::select(const std::optional<EditedControl> &control)
{
    if (hasPendingChanges()) {
        m_newControl = control;
        presentConfirmation();
        return;
    }
    m_buttonName->clear();
    if (!control) {
        setInitialState();
        return;
    }
    m_control = control;
    m_touchBarName->setText(QStringLiteral("Touchbar %1").arg(control->touchBarNumber() + 1));
    clearView();
    layoutForType();
    m_currentControlPrefs = readRecord();
    readingFromPreferences();
    checkForChange();
}

void CCSettingsViewController::clearView()
{
    m_nameTextField->clear();
    for (QWidget *field : std::initializer_list<QWidget *>{m_kindButton, m_channelButton, m_valueTextField,
                                                           m_addressTextField, m_behaviorButton, m_colorWell,
                                                           m_scaleFromTextField, m_scaleToTextField})
        setShown(field, true);
    setShown(m_numOctavesButton, false);
    setShown(m_startOctaveButton, false);
    for (QWidget *field : std::initializer_list<QWidget *>{m_kindButton, m_nameTextField,
                                                           m_scaleFromTextField, m_scaleToTextField})
        field->setEnabled(true);
}

void CCSettingsViewController::layoutForType()
{
    const Type type = m_control->type();
    setKindItems(ControlEditorRules::offeredKinds(type, m_control->canSendMMC()));
    setBehaviourItems();
    switch (type) {
    case Type::Fader:
    case Type::Pad:
        break;
    case Type::Transport:
        m_nameTextField->setEnabled(false);
        setShown(m_behaviorButton, false);
        break;
    case Type::Piano:
        setShown(m_valueTextField, false);
        setShown(m_colorWell, false);
        m_nameTextField->setEnabled(false);
        setShown(m_numOctavesButton, true);
        setShown(m_startOctaveButton, true);
        break;
    case Type::Group:
        for (QWidget *field : std::initializer_list<QWidget *>{
                 m_kindButton, m_channelButton, m_valueTextField, m_addressTextField, m_behaviorButton,
                 m_scaleFromTextField, m_scaleToTextField})
            setShown(field, false);
        m_nameTextField->setEnabled(!m_control->isTransportGroup());
        break;
    }
}

void CCSettingsViewController::setKindItems(const QList<Kind> &kinds)
{
    m_kindButton->clear();
    for (Kind kind : kinds)
        m_kindButton->addItem(ControlSettings::kindString(kind), int(kind));
}

void CCSettingsViewController::setBehaviourItems()
{
    m_behaviorButton->clear();
    m_behaviorButton->addItems(ControlEditorRules::behaviourTitles(m_control->type()));
}

CCSettingsViewController::Kind CCSettingsViewController::chosenKind() const
{
    return Kind(m_kindButton->currentData().toInt());
}

void CCSettingsViewController::kindChosen()
{
    const Kind kind = chosenKind();
    setViewTo(kind);
    // Back on the stored kind, the stored range and number are worth more than the kind's ends.
    if (kind == m_presets.kind) {
        m_scaleFromTextField->setText(ScaleValidator::text(m_presets.scaleFrom));
        m_scaleToTextField->setText(ScaleValidator::text(m_presets.scaleTo));
        m_valueTextField->setValue(m_presets.value);
    }
    checkForChange();
}

void CCSettingsViewController::setViewTo(Kind kind)
{
    const Type type = m_control->type();
    const ControlEditorRules::KindForm form = ControlEditorRules::kindForm(type, kind);
    m_valueTextField->setShowsNoteNames(form.noteNames);
    if (form.valueMaximum)
        m_valueTextField->setMaximum(*form.valueMaximum);
    if (form.scale)
        setScaleRange(*form.scale);
    showOSCAddress(form.oscAddress);
    m_channelButton->setEnabled(form.channelEnabled);
    m_valueTextField->setEnabled(form.valueEnabled);
    m_scaleFromTextField->setEnabled(form.scaleFromEnabled);
    m_scaleToTextField->setEnabled(form.scaleToEnabled);
    setShown(m_behaviorButton, form.behaviourShown && !ControlEditorRules::behaviourTitles(type).isEmpty());
}

void CCSettingsViewController::showOSCAddress(bool shown)
{
    setShown(m_addressTextField, shown);
    setShown(m_channelButton, !shown);
    // The piano has no number at all, whatever it sends.
    setShown(m_valueTextField, !shown && m_control->type() != Type::Piano);
}

void CCSettingsViewController::setScaleRange(const ControlEditorRules::ScaleRange &range)
{
    m_scaleValidator->setRange(range.minimum, range.maximum, range.fractions);
    m_scaleFromTextField->setText(ScaleValidator::text(range.minimum));
    // OSC receivers mostly expect fractions; the largest float would be no useful end.
    m_scaleToTextField->setText(ScaleValidator::text(range.fractions ? 1.0 : range.maximum));
}

QVariantMap CCSettingsViewController::readRecord() const
{
    QVariantMap scope = m_maps.controlMap(m_control->touchBarNumber());
    const QString controlName = m_control->controlName();
    const QString groupName = m_control->groupName();
    if (!groupName.isEmpty() && !controlName.isEmpty())
        scope = scope.value(groupName).toMap();
    return scope.value(controlName.isEmpty() ? groupName : controlName).toMap();
}

void CCSettingsViewController::readingFromPreferences()
{
    m_presets = ControlPresets::read(m_currentControlPrefs, *m_control);
    const Type type = m_control->type();
    if (type != Type::Group) {
        const QList<Kind> offered = ControlEditorRules::offeredKinds(type, m_control->canSendMMC());
        const Kind shown = offered.contains(m_presets.kind) ? m_presets.kind : offered.value(0);
        m_kindButton->setCurrentIndex(m_kindButton->findData(int(shown)));
        setViewTo(shown);
    }
    showPresets();
}

void CCSettingsViewController::showPresets()
{
    if (m_nameTextField->isEnabled())
        m_nameTextField->setText(m_presets.name);
    setColor(m_presets.color);
    m_valueTextField->setValue(m_presets.value);
    m_channelButton->setCurrentIndex(
        m_presets.channel >= 1 && m_presets.channel <= channelCount ? m_presets.channel - 1 : -1);
    m_addressTextField->setText(m_presets.oscAddress);
    m_scaleFromTextField->setText(ScaleValidator::text(m_presets.scaleFrom));
    m_scaleToTextField->setText(ScaleValidator::text(m_presets.scaleTo));
    m_behaviorButton->setCurrentIndex(m_behaviorButton->count() ? m_presets.type : -1);
    m_numOctavesButton->setCurrentIndex(m_presets.octaves - 1);
    octavesChosen();
    m_startOctaveButton->setCurrentIndex(m_presets.startOctave);
    drawPreview();
}

void CCSettingsViewController::setColor(const QColor &color)
{
    m_color = color;
    m_colorWell->setStyleSheet(QStringLiteral("background-color: %1").arg(color.name(QColor::HexArgb)));
    if (m_colorPanel->isVisible()) {
        const QSignalBlocker quiet(m_colorPanel);
        m_colorPanel->setCurrentColor(color);
    }
}

void CCSettingsViewController::colorChanged(const QColor &color)
{
    if (!m_control || m_colorWell->isHidden())
        return;
    setColor(color);
    checkForChange();
}

void CCSettingsViewController::openColorPanel()
{
    {
        const QSignalBlocker quiet(m_colorPanel);
        m_colorPanel->setCurrentColor(m_color);
    }
    m_colorPanel->show();
    m_colorPanel->raise();
}

void CCSettingsViewController::octavesChosen()
{
    // The keys end at octave 10: a longer keyboard starts lower.
    const int highestStart = octaveLimit - (m_numOctavesButton->currentIndex() + 1);
    auto *model = static_cast<QStandardItemModel *>(m_startOctaveButton->model());
    for (int octave = 0; octave < model->rowCount(); ++octave)
        model->item(octave)->setEnabled(octave <= highestStart);
    if (m_startOctaveButton->currentIndex() > highestStart)
        m_startOctaveButton->setCurrentIndex(highestStart);
    checkForChange();
}

void CCSettingsViewController::checkForChange()
{
    m_applyButton->setEnabled(m_control && differsFromPresets());
    drawPreview();
}

bool CCSettingsViewController::differsFromPresets() const
{
    const ControlPresets &p = m_presets;
    return (isLive(m_nameTextField) && m_nameTextField->text() != p.name) ||
           (isLive(m_colorWell) && m_color != p.color) ||
           (isLive(m_valueTextField) && m_valueTextField->value() != p.value) ||
           (isLive(m_channelButton) && m_channelButton->currentIndex() != p.channel - 1) ||
           (isLive(m_addressTextField) && m_addressTextField->text() != p.oscAddress) ||
           (isLive(m_scaleFromTextField) && ScaleValidator::value(m_scaleFromTextField->text()).value_or(0.0) != p.scaleFrom) ||
           (isLive(m_scaleToTextField) && ScaleValidator::value(m_scaleToTextField->text()).value_or(0.0) != p.scaleTo) ||
           (isLive(m_kindButton) && chosenKind() != p.kind) ||
           (isLive(m_behaviorButton) && m_behaviorButton->currentIndex() != p.type) ||
           (isLive(m_startOctaveButton) && m_startOctaveButton->currentIndex() != p.startOctave) ||
           (isLive(m_numOctavesButton) && m_numOctavesButton->currentIndex() != p.octaves - 1);
}

std::optional<QString> CCSettingsViewController::invalidInput() const
{
    if (isLive(m_valueTextField) && !m_valueTextField->hasAcceptableInput()) {
        return m_valueTextField->showsNoteNames() ? tr("Enter a note between C-2 and G8.")
                                                  : tr("Enter a number.");
    }
    // An emptied scale field is no end of the range; storing it as 0 would change the range unseen.
    for (const QLineEdit *field : {m_scaleFromTextField, m_scaleToTextField}) {
        if (isLive(field) && !ScaleValidator::value(field->text()))
            return tr("Enter a number for both ends of the range.");
    }
    return std::nullopt;
}

QVariantMap CCSettingsViewController::formRecord(QVariantMap record) const
{
    if (isLive(m_nameTextField))
        record.insert(key("label"), m_nameTextField->text());
    if (isLive(m_colorWell)) {
        // An unchanged colour keeps its stored bytes rather than a rounded copy.
        const bool unchanged =
            m_color == m_presets.color && ColorArchive::unarchive(record.value(key("color")));
        if (!unchanged)
            record.insert(key("color"), ColorArchive::archive(m_color));
    }
    if (isLive(m_valueTextField))
        record.insert(key("value"), qint64(m_valueTextField->value()));
    if (isLive(m_channelButton) && m_channelButton->currentIndex() >= 0)
        record.insert(key("channel"), qint64(m_channelButton->currentIndex() + 1));
    if (isLive(m_addressTextField))
        record.insert(key("oscAddress"), m_addressTextField->text());
    if (isLive(m_scaleFromTextField) && isLive(m_scaleToTextField)) {
        record.insert(key("scaleFrom"), ScaleValidator::value(m_scaleFromTextField->text()).value_or(0.0));
        record.insert(key("scaleTo"), ScaleValidator::value(m_scaleToTextField->text()).value_or(0.0));
    }
    if (isLive(m_kindButton))
        record.insert(key("kind"), ControlSettings::kindString(chosenKind()));
    const QStringList types = ControlEditorRules::behaviourStrings(m_control->type());
    if (isLive(m_behaviorButton) && m_behaviorButton->currentIndex() >= 0)
        record.insert(key("type"), types.value(m_behaviorButton->currentIndex()));
    if (isLive(m_startOctaveButton))
        record.insert(key("startOctave"), qint64(m_startOctaveButton->currentIndex()));
    if (isLive(m_numOctavesButton))
        record.insert(key("octaves"), qint64(m_numOctavesButton->currentIndex() + 1));
    return record;
}

bool CCSettingsViewController::writeRecord(const QVariantMap &record)
{
    const QString controlName = m_control->controlName();
    const QString groupName = m_control->groupName();
    if (controlName.isEmpty())
        return m_maps.writeRecord(m_control->touchBarNumber(), {}, groupName, record);
    return m_maps.writeRecord(m_control->touchBarNumber(), groupName, controlName, record);
}

void CCSettingsViewController::applySettings()
{
    if (!m_control)
        return;
    if (const std::optional<QString> problem = invalidInput()) {
        m_buttonName->setText(*problem);
        return;
    }
    // Built on the record as stored now, so that a group keeps the members written since it
    // was selected.
    const QVariantMap record = formRecord(readRecord());
    if (!writeRecord(record)) {
        m_buttonName->setText(tr("The settings could not be saved."));
        return;
    }
    m_currentControlPrefs = record;
    takePresetsFromForm();
    m_buttonName->clear();
    drawPreview();
    if (m_delegate)
        m_delegate->reloadTouchbar();
    m_applyButton->setEnabled(false);
}

void CCSettingsViewController::takePresetsFromForm()
{
    ControlPresets &p = m_presets;
    if (m_nameTextField->isEnabled())
        p.name = m_nameTextField->text();
    p.color = m_color;
    p.value = m_valueTextField->value();
    if (m_kindButton->count())
        p.kind = chosenKind();
    p.channel = m_channelButton->currentIndex() + 1;
    p.type = m_behaviorButton->currentIndex();
    p.oscAddress = m_addressTextField->text();
    p.scaleFrom = ScaleValidator::value(m_scaleFromTextField->text()).value_or(0.0);
    p.scaleTo = ScaleValidator::value(m_scaleToTextField->text()).value_or(0.0);
    p.octaves = m_numOctavesButton->currentIndex() + 1;
    p.startOctave = m_startOctaveButton->currentIndex();
}

QString CCSettingsViewController::caption() const
{
    if (m_control->type() == Type::Group)
        return m_control->isTransportGroup() ? tr("transport buttons") : tr("group");
    const Kind kind = chosenKind();
    QString text = ControlSettings::kindString(kind);
    if (kind == Kind::Osc)
        return text + QLatin1Char(' ') + m_addressTextField->text();
    if (!m_valueTextField->isHidden() && m_valueTextField->isEnabled())
        text += QLatin1Char(' ') + m_valueTextField->text();
    if (m_channelButton->isEnabled() && m_channelButton->currentIndex() >= 0)
        text += tr(" on channel %1").arg(m_channelButton->currentText());
    return text;
}

void CCSettingsViewController::drawPreview()
{
    if (!m_control) {
        m_preview->clear();
        return;
    }
    ControlPreview::Look look;
    look.type = m_control->type();
    if (m_nameTextField->isEnabled())
        look.label = m_nameTextField->text();
    if (!m_colorWell->isHidden())
        look.color = m_color;
    look.image = m_control->image();
    look.panFader = look.type == Type::Fader && m_behaviorButton->currentIndex() > 0;
    look.octaves = m_numOctavesButton->currentIndex() + 1;
    look.startOctave = m_startOctaveButton->currentIndex();
    const QString groupName = m_control->groupName();
    if (look.type != Type::Group && !groupName.isEmpty()) {
        look.groupLabel = m_maps.groupLabel(m_control->touchBarNumber(), groupName);
        look.groupColor = m_maps.groupColor(m_control->touchBarNumber(), groupName)
                              .value_or(ControlColors::groupButton(groupName));
    }
    look.caption = caption();
    m_preview->showLook(look);
}

confirmController *CCSettingsViewController::confirmationSheet() const
{
    return m_sheet;
}

void CCSettingsViewController::presentConfirmation()
{
    if (!m_sheet)
        m_sheet = new confirmController(*this, this);
    m_sheet->open();
}

void CCSettingsViewController::closeConfirmation()
{
    if (m_sheet) {
        m_sheet->hide();
        m_sheet->deleteLater();
    }
}

void CCSettingsViewController::afterConfirmation()
{
    closeConfirmation();
    if (m_wantsToBeClosed) {
        m_newControl.reset();
        close();
        return;
    }
    if (m_newControl) {
        const std::optional<EditedControl> next = *m_newControl;
        m_newControl.reset();
        select(next);
    }
}

void CCSettingsViewController::applyChanges()
{
    applySettings();
    if (hasPendingChanges()) {
        // The record could not be written: the edits stay in the form rather than be lost.
        cancelChanges();
        return;
    }
    afterConfirmation();
}

void CCSettingsViewController::dismissChanges()
{
    m_applyButton->setEnabled(false);
    if (!m_newControl && !m_wantsToBeClosed && m_control)
        select(m_control);
    afterConfirmation();
}

void CCSettingsViewController::cancelChanges()
{
    closeConfirmation();
    m_wantsToBeClosed = false;
    m_newControl.reset();
}

void CCSettingsViewController::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (hasPendingChanges()) {
        m_wantsToBeClosed = true;
        presentConfirmation();
        event->ignore();
        return;
    }
    m_closing = true;
    m_colorPanel->hide();
    event->accept();
    if (m_delegate)
        m_delegate->closeSettingsWindow();
}
