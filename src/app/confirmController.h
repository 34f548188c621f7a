#pragma once

#include <QDialog>

class QPushButton;
class confirmControllerDelegate;

// A window-modal sheet over an editor with unapplied edits: apply them, discard them, or go
// back to editing. It never runs a nested event loop, so it can be raised from inside a touch.
class confirmController : public QDialog {
    Q_OBJECT
public:
    // The delegate is not owned and must outlive the sheet.
    confirmController(confirmControllerDelegate &delegate, QWidget *parent);

    QPushButton *applyButton() const { return m_apply; }
    QPushButton *dismissButton() const { return m_dismiss; }
    QPushButton *cancelButton() const { return m_cancel; }

    void apply();
    void dismiss();
    void cancel();

protected:
    void showEvent(QShowEvent *event) override;
    // Escape or the title bar's close button mean cancel.
    void reject() override;

private:
    confirmControllerDelegate &m_delegate;
    QPushButton *m_apply;
    QPushButton *m_dismiss;
    QPushButton *m_cancel;
};
