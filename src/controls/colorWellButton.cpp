#include "colorWellButton.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

QPointer<QColorDialog> sharedPanel;
QPointer<colorWellButton> activeWell;
int wellCount = 0;

} // namespace

colorWellButton::colorWellButton(QWidget *parent)
    : QWidget(parent)
{
    ++wellCount;
}

colorWellButton::~colorWellButton()
{
    if (activeWell == this) {
        deactivate();
        if (sharedPanel)
            sharedPanel->close();
    }
    // The panel has nothing to edit without a well, and must not outlive the application.
    if (--wellCount == 0)
        delete sharedPanel;
}

void colorWellButton::setColor(const QColor &color)
{
    m_color = color;
    update();
}

bool colorWellButton::isActive() const
{
    return activeWell == this;
}

QColorDialog *colorWellButton::sharedColorPanel()
{
    return sharedPanel;
}

QColorDialog *colorWellButton::panel()
{
    if (!sharedPanel) {
        sharedPanel = new QColorDialog;
        sharedPanel->setOptions(QColorDialog::ShowAlphaChannel | QColorDialog::NoButtons);
        sharedPanel->setWindowTitle(QStringLiteral("Colors"));
        QObject::connect(sharedPanel, &QColorDialog::currentColorChanged, [](const QColor &color) {
            if (activeWell)
                activeWell->takePanelColor(color);
        });
    }
    return sharedPanel;
}

void colorWellButton::takePanelColor(const QColor &color)
{
    if (color == m_color)
        return;
    setColor(color);
    Q_EMIT colorChanged(color);
}

void colorWellButton::activate()
{
    if (isActive())
        return;
    if (activeWell)
        activeWell->deactivate();
    QColorDialog *colors = panel();
    // Set before this well listens, so showing the panel does not count as a change.
    colors->setCurrentColor(m_color);
    activeWell = this;
    colors->show();
    colors->raise();
    update();
}

void colorWellButton::deactivate()
{
    if (!isActive())
        return;
    activeWell = nullptr;
    update();
}

QSize colorWellButton::sizeHint() const
{
    return QSize(44, 22);
}

void colorWellButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(
        QPen(isActive() ? palette().highlight().color() : palette().mid().color(), isActive() ? 2 : 1));
    painter.setBrush(palette().button());
    painter.drawRect(frame);
    painter.fillRect(frame.adjusted(3, 3, -3, -3), m_color);
}

void colorWellButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (isActive())
        deactivate();
    else
        activate();
    if (!isActive() && sharedPanel)
        sharedPanel->close();
}
