#pragma once

#include <QColor>
#include <QPushButton>

class QColorDialog;

// A button painted in the colour it holds; clicking it opens a colour panel on that colour.
// Picks in the panel are only reported: the owner decides whether one becomes the colour,
// since a pick may arrive while nothing that takes a colour is being edited.
class ColorWell : public QPushButton {
    Q_OBJECT
public:
    explicit ColorWell(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    // Repaints the well and follows with an open panel, without reporting a pick.
    void setColor(const QColor &color);
    void hidePanel();

signals:
    void colorPicked(const QColor &color);

private:
    void openPanel();

    QColor m_color;
    QColorDialog *m_panel = nullptr;
};
