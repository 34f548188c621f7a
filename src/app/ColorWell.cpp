#include "ColorWell.h"

#include <QColorDialog>
#include <QSignalBlocker>

ColorWell::ColorWell(QWidget *parent)
    : QPushButton(parent)
{
    m_panel = new QColorDialog(this);
    m_panel->setObjectName(QStringLiteral("colorPanel"));
    m_panel->setOptions(QColorDialog::NoButtons | QColorDialog::ShowAlphaChannel |
                        QColorDialog::DontUseNativeDialog);
    connect(m_panel, &QColorDialog::currentColorChanged, this, &ColorWell::colorPicked);
    connect(this, &QPushButton::clicked, this, &ColorWell::openPanel);
}

void ColorWell::setColor(const QColor &color)
{
    m_color = color;
    setStyleSheet(QStringLiteral("background-color: %1").arg(color.name(QColor::HexArgb)));
    if (m_panel->isVisible()) {
        const QSignalBlocker quiet(m_panel);
        m_panel->setCurrentColor(color);
    }
}

void ColorWell::hidePanel()
{
    m_panel->hide();
}

void ColorWell::openPanel()
{
    {
        const QSignalBlocker quiet(m_panel);
        m_panel->setCurrentColor(m_color);
    }
    m_panel->show();
    m_panel->raise();
}
