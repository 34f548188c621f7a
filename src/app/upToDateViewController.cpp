#include "upToDateViewController.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

upToDateViewController::upToDateViewController(const QString &ownVersion, QWidget *parent)
    : QDialog(parent)
    , m_infoText(new QLabel(this))
{
    setWindowTitle(tr("Check for Update"));
    m_infoText->setWordWrap(true);
    m_infoText->setText(
        QStringLiteral("Stripdeck %1 is currently the newest version available.").arg(ownVersion));
    auto *ok = new QPushButton(tr("Ok"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_infoText);
    layout->addWidget(ok, 0, Qt::AlignRight);
}
