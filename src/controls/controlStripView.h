#pragma once

#include "ActiveFaders.h"
#include "ControlStripLayout.h"

#include "platform/touchbar/TouchView.h"

#include <QColor>
#include <QList>
#include <QStringList>

#include <array>

class controlStripTouchbarItem;
class controlStripViewDelegate;

// The drawing and touch end of the channel strip: solo, volume, pan, four sends, the device
// button and mute. Values and states are read from the item at each draw; names are kept in
// the view's own list, which the item's signals bring up to date.
class controlStripView : public TouchView {
    Q_OBJECT
public:
    // A text drawn over one segment.
    struct Label {
        QRectF rect;
        QString text;
        QColor color = Qt::white;
    };

    // Shows the item and sends its touches to it; the item learns of this view.
    explicit controlStripView(controlStripTouchbarItem *item, QWidget *parent = nullptr);

    ControlStripLayout layout() const;
    // As drawn last; rectangles in Qt's points, y down.
    const Label &label(int segment) const { return m_allParameterNameLabels[segment]; }
    QColor onColor() const { return m_onColor; }
    qsizetype activeFaderCount() const { return m_activeFaders.size(); }

protected:
    void touchesBegan(const TouchList &touches) override;
    void touchesMoved(const TouchList &touches) override;
    void touchesEnded(const TouchList &touches) override;
    void touchesCancelled(const TouchList &touches) override;
    void draw(QPainter &painter) override;

private:
    void viewWillDraw(const ControlStripLayout &layout);
    void takeFaderNames();
    void refreshNames();
    void setOnColor(const QColor &color);
    void beginFader(const Touch &touch, int segment, const ControlStripLayout &layout);
    void finishTouches(const TouchList &touches, bool cancelled);
    float shownValue(int fader) const;
    void drawButtons(QPainter &painter, const ControlStripLayout &layout);
    void drawFaders(QPainter &painter, const ControlStripLayout &layout);
    void drawLabel(QPainter &painter, int segment) const;

    controlStripViewDelegate *m_touchDelegate;
    QColor m_onColor;
    ActiveFaders m_activeFaders;
    bool m_firstDraw = true;
    float m_lastWidth = -1;
    QStringList m_allParameterNames;
    std::array<Label, ControlStripLayout::segmentCount> m_allParameterNameLabels;
};
