#include "confirmController.h"

#include "confirmControllerDelegate.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

confirmController::confirmController(confirmControllerDelegate &delegate, QWidget *parent)
    : QDialog(parent)
    , m_delegate(delegate)
{
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Unapplied Changes"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The settings of this control have changed.\nApply them?")));
    auto *buttons = new QDialogButtonBox;
    m_apply = buttons->addButton(tr("Apply"), QDialogButtonBox::AcceptRole);
    m_dismiss = buttons->addButton(tr("Discard"), QDialogButtonBox::DestructiveRole);
    m_cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    // The buttons call the delegate themselves; the box's accepted/rejected would close twice.
    connect(m_apply, &QPushButton::clicked, this, &confirmController::apply);
    connect(m_dismiss, &QPushButton::clicked, this, &confirmController::dismiss);
    connect(m_cancel, &QPushButton::clicked, this, &confirmController::cancel);
}

void confirmController::apply()
{
    m_delegate.applyChanges();
}

void confirmController::dismiss()
{
    m_delegate.dismissChanges();
}

void confirmController::cancel()
{
    m_delegate.cancelChanges();
}

void confirmController::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_apply->setDefault(true);
    setFocus();
}

void confirmController::reject()
{
    cancel();
}
