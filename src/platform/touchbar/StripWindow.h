#pragma once

#include "TouchBarHost.h"

#include <QWidget>

// The presented touch bar on screen: a frameless row docked at the bottom centre of the primary
// screen that stays above other windows and never takes the keyboard focus. Its content is laid
// out in points of a 1085 x 30 touch bar and drawn scaled to suit the screen.
class StripWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal minimumScale = 1.0;
    static constexpr qreal maximumScale = 3.0;

    StripWindow();
    ~StripWindow() override;

    // Quarter steps, so that the strip spans about 85 % of the screen.
    static qreal scaleForScreenWidth(int pixels);
    qreal scale() const { return m_scale; }

    // Places the items' views; views of items no longer shown are hidden, not deleted.
    void setSlots(const QList<TouchBarHost::Slot> &entries);
    // The frame of each slot in points, null for those not shown.
    QList<QRectF> itemFrames() const { return m_frames; }
    void dock();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeViews();

    qreal m_scale = minimumScale;
    QList<TouchBarHost::Slot> m_slots;
    QList<QRectF> m_frames;
};
