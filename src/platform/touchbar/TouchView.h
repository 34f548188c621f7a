#pragma once

#include "Touch.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QMouseEvent;
class QTouchEvent;

// Base of the views on the strip: draws in points and receives touches in four phases. A mouse
// button held down is one direct touch; a touchscreen gives one touch per finger.
class TouchView : public QWidget {
    Q_OBJECT
public:
    // The identity of the touch a mouse makes; touchscreen identities never reach it.
    static constexpr quint64 mouseTouchIdentity = ~quint64(0);

    explicit TouchView(QWidget *parent = nullptr);

    // Device pixels per point; the strip sets it when it places the view.
    qreal pointScale() const { return m_pointScale; }
    void setPointScale(qreal scale);
    QSizeF sizeInPoints() const;

    // A redraw for a change that can come many times a frame (host feedback): at once when the
    // last paint is a frame ago, else at the next frame. Touches redraw with update() as ever.
    void scheduleRepaint();

protected:
    virtual void touchesBegan(const TouchList &) {}
    virtual void touchesMoved(const TouchList &) {}
    virtual void touchesEnded(const TouchList &) {}
    virtual void touchesCancelled(const TouchList &) {}
    // The painter is already scaled to points.
    virtual void draw(QPainter &) {}

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void deliverTouchEvent(QTouchEvent *event);
    Touch mouseTouch(const QPointF &position) const;

    int frameMilliseconds() const;

    qreal m_pointScale = 1.0;
    QElapsedTimer m_lastPaint;
    QTimer m_nextFrame;
};
