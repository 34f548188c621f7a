#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

// A fader as the settings windows show it: the look of a slider with its knob at the middle and
// a half-filled bar in the fader's colour. It takes no input; presses go to the widget below.
class pseudoSlider : public QWidget {
    Q_OBJECT
public:
    explicit pseudoSlider(QWidget *parent = nullptr);

    std::optional<QColor> trackFillColor() const { return m_trackFillColor; }
    // None shows the faders' default colour.
    void setTrackFillColor(const std::optional<QColor> &color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::optional<QColor> m_trackFillColor;
};
