#pragma once

#include <QColor>
#include <QWidget>

class QColorDialog;

// A colour well of the settings windows. A click makes it the well that the one shared colour
// panel edits (any other well lets go) and shows the panel; a click on the active well lets go
// and closes the panel.
class colorWellButton : public QWidget {
    Q_OBJECT
public:
    explicit colorWellButton(QWidget *parent = nullptr);
    ~colorWellButton() override;

    QColor color() const { return m_color; }
    // Emits nothing; only the panel's changes are the user's.
    void setColor(const QColor &color);

    bool isActive() const;
    void activate();
    void deactivate();

    // Exists while any well does; null before the first well asks for it.
    static QColorDialog *sharedColorPanel();

    QSize sizeHint() const override;

Q_SIGNALS:
    void colorChanged(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    static QColorDialog *panel();
    void takePanelColor(const QColor &color);

    QColor m_color = Qt::white;
};
