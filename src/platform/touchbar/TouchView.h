#pragma once

#include "Touch.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>
#include <QWidget>

class QHideEvent;
class QMouseEvent;
class QTouchEvent;

// Base of the views on the strip: draws in points and receives touches in four phases. A mouse
// button held down is one direct touch; a touchscreen gives one touch per finger. Every touch
// that began ends or is cancelled exactly once: a view never holds a note or a fader after the
// system took the touches away or after the view left the screen.
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
    // A hidden view can no longer be touched: the strip was rebuilt or hidden under a finger.
    void hideEvent(QHideEvent *event) override;

private:
    void deliverTouchEvent(QTouchEvent *event);
    Touch mouseTouch(const QPointF &position) const;
    void began(const TouchList &touches);
    void moved(const TouchList &touches);
    void ended(const TouchList &touches);
    // Cancels the touches of the given origin still down, or all of them.
    enum class Origin { Screen, All };
    void cancel(Origin origin);

    // The touches down on this view, with their last locations, in order of touch-down.
    TouchList m_down;

    int frameMilliseconds() const;

    qreal m_pointScale = 1.0;
    QElapsedTimer m_lastPaint;
    QTimer m_nextFrame;
};
