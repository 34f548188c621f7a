#include "CustomizationPalette.h"

#include "TouchBar.h"
#include "TouchBarItem.h"
#include "model/ControlCatalog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QListWidgetItem *makeEntry(const QString &identifier, const QString &label)
{
    auto *entry = new QListWidgetItem(label);
    entry->setData(Qt::UserRole, identifier);
    entry->setToolTip(identifier);
    return entry;
}

QPushButton *addButton(QGridLayout *layout, const QString &title, int row, int column)
{
    auto *button = new QPushButton(title);
    layout->addWidget(button, row, column);
    return button;
}

} // namespace

CustomizationPalette::CustomizationPalette(TouchBar &bar, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_bar(&bar)
    , m_allowed(new QListWidget)
    , m_arrangement(new QListWidget)
{
    setWindowTitle(QStringLiteral("Customize Touch Bar"));
    setAttribute(Qt::WA_DeleteOnClose);

    for (const QString &identifier : bar.customizationAllowedItemIdentifiers())
        m_allowed->addItem(makeEntry(identifier, labelFor(identifier)));
    for (const QString &identifier : bar.itemIdentifiers())
        m_arrangement->addItem(makeEntry(identifier, labelFor(identifier)));

    // Items are dragged out of the palette as copies and rearranged in place on the bar.
    m_allowed->setDragDropMode(QAbstractItemView::DragOnly);
    m_allowed->setDefaultDropAction(Qt::CopyAction);
    m_arrangement->setDragDropMode(QAbstractItemView::DragDrop);
    m_arrangement->setDefaultDropAction(Qt::MoveAction);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Items")), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Touch Bar")), 0, 2);
    layout->addWidget(m_allowed, 1, 0, 5, 1);
    layout->addWidget(m_arrangement, 1, 2, 5, 1);
    connect(addButton(layout, QStringLiteral("Add"), 1, 1), &QPushButton::clicked, this,
            &CustomizationPalette::addSelected);
    connect(addButton(layout, QStringLiteral("Remove"), 2, 1), &QPushButton::clicked, this,
            &CustomizationPalette::removeSelected);
    connect(addButton(layout, QStringLiteral("Move Up"), 3, 1), &QPushButton::clicked, this,
            [this] { moveSelected(-1); });
    connect(addButton(layout, QStringLiteral("Move Down"), 4, 1), &QPushButton::clicked, this,
            [this] { moveSelected(1); });
    auto *doneButton = addButton(layout, QStringLiteral("Done"), 6, 2);
    doneButton->setDefault(true);
    connect(doneButton, &QPushButton::clicked, this, &CustomizationPalette::done);
}

CustomizationPalette::~CustomizationPalette() = default;

QString CustomizationPalette::labelFor(const QString &identifier)
{
    const QString name = ControlCatalog::controlName(identifier);
    const auto item = m_bar->itemForIdentifier(identifier);
    if (!item || item->customizationLabel().isEmpty())
        return name;
    return QStringLiteral("%1 (%2)").arg(item->customizationLabel(), name);
}

QStringList CustomizationPalette::arrangement() const
{
    QStringList identifiers;
    for (int row = 0; row < m_arrangement->count(); ++row)
        identifiers.append(m_arrangement->item(row)->data(Qt::UserRole).toString());
    return identifiers;
}

void CustomizationPalette::addSelected()
{
    const int at = m_arrangement->currentRow() < 0 ? m_arrangement->count() : m_arrangement->currentRow() + 1;
    int row = at;
    for (const QListWidgetItem *selected : m_allowed->selectedItems())
        m_arrangement->insertItem(row++, selected->clone());
    if (row > at)
        m_arrangement->setCurrentRow(row - 1);
}

void CustomizationPalette::removeSelected()
{
    qDeleteAll(m_arrangement->selectedItems());
}

void CustomizationPalette::moveSelected(int step)
{
    const int from = m_arrangement->currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= m_arrangement->count())
        return;
    m_arrangement->insertItem(to, m_arrangement->takeItem(from));
    m_arrangement->setCurrentRow(to);
}

void CustomizationPalette::done()
{
    if (m_bar)
        m_bar->storeArrangement(arrangement());
    close();
}

void CustomizationPalette::closeEvent(QCloseEvent *event)
{
    if (!m_finished) {
        m_finished = true;
        Q_EMIT finished();
    }
    event->accept();
}
