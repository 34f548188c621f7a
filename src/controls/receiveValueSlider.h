#pragma once

#include "platform/touchbar/TouchView.h"

#include <QColor>
#include <QVariantAnimation>

#include <functional>
#include <optional>

class midiSlider;
class receiveValueSlider;

// Told when a finger comes down on a slider.
class valueSliderDelegate {
public:
    virtual ~valueSliderDelegate() = default;
    virtual void sliderTouched(receiveValueSlider &slider) = 0;
};

// A slider that runs over the user's value range, sends its action only when the integer
// value changes (every change for OSC), may spring back to its centre, and ignores values
// from outside while a finger is on it.
class receiveValueSlider : public TouchView {
    Q_OBJECT
public:
    static constexpr int returnDurationMs = 100;

    explicit receiveValueSlider(QWidget *parent = nullptr);

    void setMinValue(double value) { m_realMin = value; }
    void setMaxValue(double value) { m_realMax = value; }
    double realMin() const { return m_realMin; }
    double realMax() const { return m_realMax; }
    // In the user range.
    double doubleValue() const;
    void setDoubleValue(double value);
    // Rounded half away from zero.
    int intValue() const;

    bool touched() const { return m_touched; }
    bool isPanSlider() const { return m_isPanSlider; }
    void setPanSlider(bool pan) { m_isPanSlider = pan; }
    bool moveToCenter() const { return m_moveToCenter; }
    void setMoveToCenter(bool move) { m_moveToCenter = move; }
    QString sliderTitle() const { return m_sliderTitle; }
    void setSliderTitle(const QString &title);
    std::optional<QColor> trackFillColor() const { return m_trackFillColor; }
    void setTrackFillColor(const QColor &color);

    void setTouchDelegate(valueSliderDelegate *delegate) { m_touchDelegate = delegate; }
    void setMidiSlider(midiSlider *item) { m_midiSlider = item; }
    midiSlider *owner() const { return m_midiSlider; }
    void setAction(std::function<void()> action) { m_action = std::move(action); }
    // Its item is going: the return to centre stops, and the slider acts for nobody.
    void leaveItem();

    QSize sizeHint() const override;

protected:
    void touchesBegan(const TouchList &touches) override;
    void touchesMoved(const TouchList &touches) override;
    void touchesEnded(const TouchList &touches) override;
    void touchesCancelled(const TouchList &touches) override;
    void draw(QPainter &painter) override;

private:
    const Touch *trackedTouch(const TouchList &touches) const;
    void moveTo(const Touch &touch);
    void setFraction(double fraction);
    void sendAction();
    void returnToCentre();
    QRectF trackRect() const;
    qreal titleWidth() const;

    double m_fraction = 0.0;
    double m_realMin = 0.0;
    double m_realMax = 1.0;
    int m_lastVal = 0;
    bool m_firstEvent = false;
    bool m_isPanSlider = false;
    bool m_moveToCenter = false;
    bool m_touched = false;
    std::optional<quint64> m_touchIdentity;
    QString m_sliderTitle;
    std::optional<QColor> m_trackFillColor;
    valueSliderDelegate *m_touchDelegate = nullptr;
    midiSlider *m_midiSlider = nullptr;
    std::function<void()> m_action;
    QVariantAnimation m_return;
};
