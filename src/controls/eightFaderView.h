#pragma once

#include "ActiveFaders.h"
#include "EightFaderLayout.h"

#include "platform/touchbar/TouchView.h"

#include <QColor>
#include <QList>
#include <QPointer>

#include <array>

class eightFaderTouchbarItem;
class eightFaderViewDelegate;

// The drawing and touch end of the eight-fader bank: eight slots between a previous-bank button
// on the left and a next-bank button on the right. Everything it shows is read from its item
// at each draw; what it is told by the item only decides when to redraw.
class eightFaderView : public TouchView {
    Q_OBJECT
public:
    // A text drawn over part of the view.
    struct Label {
        QRectF rect;
        QString text;
        QColor color = Qt::white;
        bool visible = true;
    };

    // Shows the item and sends its touches to it; the item learns of this view.
    explicit eightFaderView(eightFaderTouchbarItem *item, QWidget *parent = nullptr);

    EightFaderLayout layout() const;
    // As drawn last; rectangles in Qt's points, y down.
    const Label &nameLabel(int slot) const { return m_allParameterNameLabels[slot]; }
    const Label &bankNumberLabel() const { return m_bankNumberLabel; }
    const Label &bypassLabel() const { return m_bypassLabel; }
    QColor onColor() const { return m_onColor; }
    qsizetype activeFaderCount() const { return m_activeFaders.size(); }

    // Slot palette of colour mode 2.
    static QColor slotColor(int slot);

protected:
    void touchesBegan(const TouchList &touches) override;
    void touchesMoved(const TouchList &touches) override;
    void touchesEnded(const TouchList &touches) override;
    void touchesCancelled(const TouchList &touches) override;
    void draw(QPainter &painter) override;

private:
    void viewWillDraw(const EightFaderLayout &layout);
    void refreshNames();
    void setOnColor(const QColor &color);
    void setBankNumber(const QString &number);
    void redrawUnlessTouched();
    void finishTouches(const TouchList &touches, bool cancelled);
    void redrawSlotBottom(const Fader &fader);
    void drawButtons(QPainter &painter, const EightFaderLayout &layout, QColor &fill);
    void drawSlots(QPainter &painter, const EightFaderLayout &layout, QColor &fill);
    void drawLabel(QPainter &painter, const Label &label, int pointSize) const;

    eightFaderViewDelegate *m_touchDelegate;
    Label m_bankNumberLabel;
    Label m_bypassLabel;
    QColor m_onColor;
    ActiveFaders m_activeFaders;
    bool m_firstDraw = true;
    float m_lastWidth = -1;
    std::array<Label, EightFaderLayout::slotCount> m_allParameterNameLabels;
};
