#include "checkUpdateViewController.h"

#include "updateViewControllerDelegate.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

checkUpdateViewController::checkUpdateViewController(updateViewControllerDelegate &delegate, QWidget *parent)
    : QDialog(parent)
    , m_delegate(delegate)
    , m_progressBar(new QProgressBar(this))
    , m_errorText(new QLabel(this))
{
    setWindowTitle(tr("Check for Update"));
    m_progressBar->setRange(0, 0);
    m_progressBar->setTextVisible(false);
    m_errorText->setWordWrap(true);
    // The error may carry the server's reason phrase: text from the network is never markup.
    m_errorText->setTextFormat(Qt::PlainText);
    m_errorText->hide();
    auto *cancel = new QPushButton(tr("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &checkUpdateViewController::cancelCheck);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progressBar);
    layout->addWidget(m_errorText);
    layout->addWidget(cancel, 0, Qt::AlignRight);
}

void checkUpdateViewController::logError(const QString &error)
{
    m_errorText->setText(error);
    m_progressBar->hide();
    m_errorText->show();
}

void checkUpdateViewController::cancelCheck()
{
    m_delegate.cancelUpdateCheckForeground();
}

void checkUpdateViewController::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Shown again after being minimized must not start a second download.
    if (!std::exchange(m_started, true))
        m_delegate.startUpdateCheckForeground();
}
