#include "hotKeyViewController.h"

#include "HotKeyPreferences.h"
#include "ZnHotKeyTextField.h"
#include "hotKeyDelegate.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::shared_ptr<ZnHotKey> hotKeyOf(const std::optional<qint64> &value)
{
    if (!value)
        return nullptr;
    return std::make_shared<ZnHotKey>(HotKeyPreferences::keyCodeOf(*value),
                                      HotKeyPreferences::modifierFlagsOf(*value));
}

} // namespace

hotKeyViewController::hotKeyViewController(UserDefaults &defaults, const KeyboardLayout &layout,
                                           const QString &unavailableReason, const QList<bool> &taken,
                                           hotKeyDelegate *keyDelagate, QWidget *parent)
    : QWidget(parent)
    , m_defaults(defaults)
    , m_keyDelagate(keyDelagate)
{
    setWindowTitle(QStringLiteral("Key Commands"));
    auto *layoutBox = new QVBoxLayout(this);
    m_unavailableLabel = new QLabel(unavailableReason, this);
    m_unavailableLabel->setObjectName(QStringLiteral("unavailableLabel"));
    m_unavailableLabel->setWordWrap(true);
    m_unavailableLabel->setVisible(!unavailableReason.isEmpty());
    layoutBox->addWidget(m_unavailableLabel);

    auto *form = new QFormLayout;
    const QStringList &titles = HotKeyPreferences::titles();
    for (int i = 0; i < HotKeyPreferences::names().size(); ++i) {
        auto *field = new ZnHotKeyTextField(layout, this);
        field->setObjectName(HotKeyPreferences::names().at(i));
        field->setMinimumWidth(120);
        connect(field, &ZnHotKeyTextField::hotKeyRecorded, this, [this, i] { fieldChanged(i); });
        connect(field, &ZnHotKeyTextField::editingEnded, this, [this, i] { fieldChanged(i); });
        form->addRow(titles.at(i), field);
        m_fields.append(field);
    }
    layoutBox->addLayout(form);
    m_taken = taken;
    m_applyButton = new QPushButton(QStringLiteral("Apply"), this);
    connect(m_applyButton, &QPushButton::clicked, this, &hotKeyViewController::applySettings);
    layoutBox->addWidget(m_applyButton, 0, Qt::AlignRight);
    loadStoredKeys();
}

void hotKeyViewController::loadStoredKeys()
{
    m_keyCodes = HotKeyPreferences(m_defaults).values();
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        m_fields[i]->setHotKey(hotKeyOf(m_keyCodes.value(i)));
        m_fields[i]->setTaken(m_taken.value(i));
    }
    m_keyCodesCopy = m_keyCodes;
    m_applyButton->setEnabled(false);
}

void hotKeyViewController::fieldChanged(int index)
{
    // The list follows what the field shows, an empty field included (Escape in a field that
    // had no key), so that Apply never stores a key the window does not show.
    const auto &hotKey = m_fields.at(index)->hotKey();
    m_keyCodes[index] =
        hotKey ? std::optional(HotKeyPreferences::storedValue(hotKey->keyCode(), hotKey->modifierFlags()))
               : std::nullopt;
    m_applyButton->setEnabled(hasChanges());
}

void hotKeyViewController::applySettings()
{
    HotKeyPreferences(m_defaults).setValues(m_keyCodes);
    m_keyCodesCopy = m_keyCodes;
    m_applyButton->setEnabled(false);
    finish();
}

void hotKeyViewController::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_keyDelagate)
        m_keyDelagate->closeKeyCommandsWindow();
    close();
}

void hotKeyViewController::closeEvent(QCloseEvent *event)
{
    if (m_applyButton->isEnabled()) {
        event->ignore();
        showConfirmation();
        return;
    }
    event->accept();
    finish();
}

void hotKeyViewController::showConfirmation()
{
    if (m_confirmation)
        return;
    m_confirmation = new QMessageBox(QMessageBox::Question, QStringLiteral("Key Commands"),
                                     QStringLiteral("The key commands have changed. Apply them?"),
                                     QMessageBox::Apply | QMessageBox::Discard | QMessageBox::Cancel, this);
    m_confirmation->setWindowModality(Qt::WindowModal);
    m_confirmation->setAttribute(Qt::WA_DeleteOnClose);
    QMessageBox *box = m_confirmation;
    connect(box, &QMessageBox::finished, this, [this, box](int) {
        const QMessageBox::StandardButton answer = box->standardButton(box->clickedButton());
        if (answer == QMessageBox::Apply)
            applyChanges();
        else if (answer == QMessageBox::Discard)
            dismissChanges();
        else
            cancelChanges();
    });
    m_confirmation->open();
}

void hotKeyViewController::applyChanges()
{
    dismissConfirmation();
    applySettings();
}

void hotKeyViewController::dismissChanges()
{
    dismissConfirmation();
    loadStoredKeys();
}

void hotKeyViewController::cancelChanges()
{
    dismissConfirmation();
}

void hotKeyViewController::dismissConfirmation()
{
    QMessageBox *box = m_confirmation;
    if (!box)
        return;
    m_confirmation = nullptr;
    box->disconnect(this);
    box->close();
}
