#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <optional>

class KeyboardLayout;
class QLabel;

class QPushButton;
class UserDefaults;
class ZnHotKeyTextField;
class hotKeyDelegate;

// The key commands window: one recording field per hot key in the stored order, Apply, and a
// confirmation when it is closed with changes that were not applied.
class hotKeyViewController : public QWidget {
    Q_OBJECT
public:
    // A non-empty reason is shown above the fields: hot keys cannot work on this desktop.
    // taken marks, in the fields' order, the stored keys another program holds.
    hotKeyViewController(UserDefaults &defaults, const KeyboardLayout &layout,
                         const QString &unavailableReason, const QList<bool> &taken,
                         hotKeyDelegate *keyDelagate, QWidget *parent = nullptr);

    ZnHotKeyTextField *showHideTextField() const { return m_fields.at(0); }
    ZnHotKeyTextField *controlSurfaceTextField() const { return m_fields.at(1); }
    // Switch 1 ... 9.
    ZnHotKeyTextField *switchField(int number) const { return m_fields.value(number + 1); }
    const QList<ZnHotKeyTextField *> &fields() const { return m_fields; }
    QPushButton *applyButton() const { return m_applyButton; }
    QLabel *unavailableLabel() const { return m_unavailableLabel; }
    // The open confirmation, or null.
    QMessageBox *confirmation() const { return m_confirmation; }

    bool hasChanges() const { return m_keyCodes != m_keyCodesCopy; }

    void applySettings();
    void applyChanges();
    void dismissChanges();
    void cancelChanges();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadStoredKeys();
    void fieldChanged(int index);
    void showConfirmation();
    void dismissConfirmation();
    void finish();

    UserDefaults &m_defaults;
    hotKeyDelegate *m_keyDelagate;
    QList<ZnHotKeyTextField *> m_fields;
    QList<std::optional<qint64>> m_keyCodes;
    QList<std::optional<qint64>> m_keyCodesCopy;
    QList<bool> m_taken;
    QPushButton *m_applyButton = nullptr;
    QLabel *m_unavailableLabel = nullptr;
    QPointer<QMessageBox> m_confirmation;
    bool m_finished = false;
};
