#include "appAttachViewController.h"

#include "ApplicationCatalog.h"
#include "ApplicationChooser.h"
#include "AttachmentRecord.h"
#include "appAttachCellView.h"
#include "attachViewControllerDelegate.h"
#include "model/UserDefaults.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr int removeAnimationMs = 150;
const QString appsKey = QLatin1String(AttachmentRecord::appsKey);
} // namespace

appAttachViewController::appAttachViewController(UserDefaults &defaults, ApplicationCatalog &applications,
                                                 attachViewControllerDelegate &delegate, QWidget *parent)
    : QWidget(parent)
    , m_defaults(defaults)
    , m_applications(applications)
    , m_delegate(delegate)
    , m_unavailableLabel(new QLabel(this))
    , m_tableView(new QWidget)
    , m_tableLayout(new QVBoxLayout(m_tableView))
    , m_chooseButton(new QPushButton(tr("Choose an App..."), this))
    , m_addButton(new QPushButton(tr("Add"), this))
{
    setWindowTitle(tr("Attach to Apps"));
    m_unavailableLabel->setWordWrap(true);
    m_unavailableLabel->hide();
    m_tableLayout->setContentsMargins(0, 0, 0, 0);
    m_tableLayout->setSpacing(0);
    m_tableLayout->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_tableView);

    connect(m_chooseButton, &QPushButton::clicked, this, &appAttachViewController::chooseApp);
    connect(m_addButton, &QPushButton::clicked, this, &appAttachViewController::addFrontmost);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_chooseButton);
    buttons->addStretch(1);
    buttons->addWidget(m_addButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_unavailableLabel);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    resize(520, 320);
    reloadData();
}

void appAttachViewController::setUnavailableReason(const QString &reason)
{
    m_unavailableLabel->setText(
        tr("Attaching to applications is not available here: %1. Records below are kept but no "
           "application brings up its touch bar.")
            .arg(reason));
    m_unavailableLabel->setVisible(!reason.isEmpty());
}

QVariantList appAttachViewController::apps() const
{
    return m_defaults.objectForKey(appsKey).toList();
}

void appAttachViewController::storeApps(const QVariantList &apps)
{
    m_defaults.setObject(apps, appsKey);
}

void appAttachViewController::updateFrontmost()
{
    m_frontmostBundleId = m_delegate.frontmostAppIdentifier();
    m_applications.refreshIfChanged();
    const auto application = m_applications.application(m_frontmostBundleId);
    const QString name = application ? application->entry.name : m_frontmostBundleId;
    m_addButton->setText(name.isEmpty() ? tr("Add") : tr("Add %1").arg(name));
    m_addButton->setEnabled(!m_frontmostBundleId.isEmpty() &&
                            !AttachmentRecord::lastFor(apps(), m_frontmostBundleId));
}

int appAttachViewController::numberOfRowsInTableView() const
{
    return int(apps().size());
}

appAttachCellView *appAttachViewController::viewForTableColumn(int row)
{
    auto *cell = new appAttachCellView(AttachmentRecord::fromVariant(apps().value(row)), m_applications, row);
    QComboBox *mode = cell->userModeButton();
    connect(mode, &QComboBox::currentIndexChanged, this, [this, mode] { changeMode(mode); });
    QComboBox *number = cell->numberButton();
    connect(number, &QComboBox::currentIndexChanged, this, [this, number] { changeTouchbarNr(number); });
    QPushButton *remove = cell->removeButton();
    connect(remove, &QPushButton::clicked, this, [this, remove] { removeApp(remove); });
    return cell;
}

void appAttachViewController::reloadData()
{
    qDeleteAll(m_rows);
    m_rows.clear();
    const int count = numberOfRowsInTableView();
    for (int row = 0; row < count; ++row) {
        appAttachCellView *cell = viewForTableColumn(row);
        m_tableLayout->insertWidget(row, cell);
        m_rows.append(cell);
    }
}

void appAttachViewController::changeMode(QObject *sender)
{
    const int row = appAttachCellView::tagOf(sender);
    QVariantList list = apps();
    if (row < 0 || row >= list.size() || row >= m_rows.size())
        return;
    AttachmentRecord record = AttachmentRecord::fromVariant(list.at(row));
    record.controlSurfaceMode = m_rows.at(row)->userModeButton()->currentIndex() == 1;
    list[row] = record.toVariant();
    storeApps(list);
    m_rows.at(row)->numberButton()->setVisible(!record.controlSurfaceMode);
}

void appAttachViewController::changeTouchbarNr(QObject *sender)
{
    const int row = appAttachCellView::tagOf(sender);
    QVariantList list = apps();
    if (row < 0 || row >= list.size() || row >= m_rows.size())
        return;
    AttachmentRecord record = AttachmentRecord::fromVariant(list.at(row));
    record.userTouchbarNumber = m_rows.at(row)->numberButton()->currentIndex();
    list[row] = record.toVariant();
    storeApps(list);
}

void appAttachViewController::removeApp(QObject *sender)
{
    const int row = appAttachCellView::tagOf(sender);
    QVariantList list = apps();
    if (row < 0 || row >= list.size() || row >= m_rows.size())
        return;
    list.removeAt(row);
    storeApps(list);
    appAttachCellView *removed = m_rows.takeAt(row);
    removed->setEnabled(false);
    for (int index = row; index < m_rows.size(); ++index)
        m_rows.at(index)->setTag(index);
    auto *slideUp = new QPropertyAnimation(removed, "maximumHeight", removed);
    slideUp->setDuration(removeAnimationMs);
    slideUp->setStartValue(removed->height());
    slideUp->setEndValue(0);
    connect(slideUp, &QPropertyAnimation::finished, removed, &QObject::deleteLater);
    slideUp->start();
    updateFrontmost();
}

void appAttachViewController::chooseApp()
{
    hide();
    delete m_chooser;
    m_applications.refreshIfChanged();
    m_chooser = new ApplicationChooser(m_applications, this);
    m_chooser->setWindowFlag(Qt::Window);
    m_chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_chooser, &QDialog::finished, this, &appAttachViewController::chooserFinished);
    m_chooser->open();
}

void appAttachViewController::chooserFinished(int result)
{
    const QString chosen = m_chooser ? m_chooser->chosenIdentifier() : QString();
    if (result == QDialog::Accepted && !chosen.isEmpty()) {
        appendRecord(chosen);
        reloadData();
        updateFrontmost();
    }
    show();
    raise();
    activateWindow();
}

void appAttachViewController::addFrontmost()
{
    if (m_frontmostBundleId.isEmpty())
        return;
    appendRecord(m_frontmostBundleId);
    reloadData();
    updateFrontmost();
}

void appAttachViewController::appendRecord(const QString &identifier)
{
    QVariantList list = apps();
    AttachmentRecord record;
    record.bundleID = identifier;
    list.append(record.toVariant());
    storeApps(list);
}

void appAttachViewController::closeEvent(QCloseEvent *event)
{
    m_delegate.closeAttachAppWindow();
    event->accept();
}
