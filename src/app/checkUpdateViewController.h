#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class updateViewControllerDelegate;

// The window of a foreground update check: a busy bar while the feed downloads, the error
// in its place when the check fails. It ends with 0 when cancelled; the check ends it with 1
// (a newer version) or 2 (up to date).
class checkUpdateViewController : public QDialog {
    Q_OBJECT
public:
    // The delegate is not owned and must outlive the window.
    explicit checkUpdateViewController(updateViewControllerDelegate &delegate, QWidget *parent = nullptr);

    QProgressBar *progressBar() const { return m_progressBar; }
    QLabel *errorText() const { return m_errorText; }

    void logError(const QString &error);
    void cancelCheck();

protected:
    void showEvent(QShowEvent *event) override;

private:
    updateViewControllerDelegate &m_delegate;
    QProgressBar *m_progressBar;
    QLabel *m_errorText;
    bool m_started = false;
};
