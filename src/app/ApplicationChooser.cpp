#include "ApplicationChooser.h"

#include "ApplicationCatalog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ApplicationChooser::ApplicationChooser(const ApplicationCatalog &applications, QWidget *parent)
    : QDialog(parent)
    , m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Choose an App"));
    for (const ApplicationCatalog::Application &application : applications.listedApplications()) {
        auto *item =
            new QListWidgetItem(ApplicationCatalog::icon(application.entry), application.entry.name, m_list);
        item->setData(Qt::UserRole, application.identifier);
        item->setToolTip(application.identifier);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    QPushButton *open = buttons->button(QDialogButtonBox::Open);
    open->setEnabled(false);
    connect(m_list, &QListWidget::currentItemChanged, open,
            [open](const QListWidgetItem *current) { open->setEnabled(current != nullptr); });
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 420);
}

QString ApplicationChooser::chosenIdentifier() const
{
    const QListWidgetItem *current = m_list->currentItem();
    return current ? current->data(Qt::UserRole).toString() : QString();
}
