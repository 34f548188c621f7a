#include "appAttachCellView.h"

#include "ApplicationCatalog.h"
#include "AttachmentRecord.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int iconSize = 32;

} // namespace

appAttachCellView::appAttachCellView(const AttachmentRecord &record, const ApplicationCatalog &applications,
                                     int row, QWidget *parent)
    : QWidget(parent)
    , m_imageView(new QLabel(this))
    , m_textField(new QLabel(this))
    , m_userModeButton(new QComboBox(this))
    , m_numberButton(new QComboBox(this))
    , m_removeButton(new QPushButton(tr("Remove"), this))
{
    m_imageView->setFixedSize(iconSize, iconSize);
    if (const auto application = applications.application(record.bundleID)) {
        m_textField->setText(application->entry.name);
        m_imageView->setPixmap(ApplicationCatalog::icon(application->entry).pixmap(iconSize));
    } else {
        m_textField->setText(QStringLiteral("not found!"));
    }
    m_textField->setToolTip(record.bundleID);
    m_userModeButton->addItems({tr("User Touch Bar"), tr("Control Surface")});
    m_userModeButton->setCurrentIndex(record.controlSurfaceMode ? 1 : 0);
    m_numberButton->addItem(tr("Current"));
    for (int number = 1; number < numberEntries; ++number)
        m_numberButton->addItem(tr("Touch Bar %1").arg(number));
    m_numberButton->setCurrentIndex(record.userTouchbarNumber);
    m_numberButton->setVisible(!record.controlSurfaceMode);
    setTag(row);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_imageView);
    layout->addWidget(m_textField, 1);
    layout->addWidget(m_userModeButton);
    layout->addWidget(m_numberButton);
    layout->addWidget(m_removeButton);
}

void appAttachCellView::setTag(int row)
{
    for (QObject *control : {static_cast<QObject *>(m_userModeButton), static_cast<QObject *>(m_numberButton),
                             static_cast<QObject *>(m_removeButton)})
        control->setProperty(tagProperty, row);
}

int appAttachCellView::tagOf(const QObject *control)
{
    const QVariant tag = control ? control->property(tagProperty) : QVariant();
    return tag.isValid() ? tag.toInt() : -1;
}
