#pragma once

#include "ControlIcons.h"

#include "midi/ListeningControl.h"
#include "platform/touchbar/TouchView.h"

#include <QColor>

#include <functional>
#include <optional>

// A button of the strip that calls its action at press and at release; the receiver tells the
// two apart by the highlight, which is off at press and on at release. Pads, transport buttons
// and the escape button are pad buttons; a toggle pad follows the value of its address.
class padButton : public TouchView, public midi::ListeningControl {
    Q_OBJECT
public:
    enum class ButtonType { Momentary, PushOnPushOff };
    // How the title is drawn: coloured for the bezel (titleColorCell), or in the default
    // colour and lifted to the optical centre (valignTextCell).
    enum class TitleCell { TitleColor, VAlignText };
    using Action = std::function<void(padButton &)>;

    explicit padButton(QWidget *parent = nullptr);

    void setAction(Action action) { m_action = std::move(action); }

    QString identifier() const { return m_identifier; }
    void setIdentifier(const QString &identifier) { m_identifier = identifier; }
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    std::optional<ControlIcons::Icon> icon() const { return m_icon; }
    void setIcon(ControlIcons::Icon icon);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    ButtonType buttonType() const { return m_buttonType; }
    void setButtonType(ButtonType type) { m_buttonType = type; }
    bool state() const { return m_state; }
    void setState(bool on);
    bool isHighlighted() const { return m_highlighted; }
    QColor bezelColor() const { return m_bezelColor; }
    void setBezelColor(const QColor &color);
    // Set, the title colour is picked for the bezel colour whatever the state.
    bool ignoreState() const { return m_ignoreState; }
    void setIgnoreState(bool ignore);
    TitleCell titleCell() const { return m_titleCell; }
    void setTitleCell(TitleCell cell);
    // The colour the title is drawn in.
    QColor titleColor() const;
    // Where the title is drawn, in points.
    QRectF titleRect() const;

    bool canSendMMC() const { return m_canSendMMC; }
    void setCanSendMMC(bool can) { m_canSendMMC = can; }
    int kind() const override { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    int ctrlNumber() const override { return m_ctrlNumber; }
    void setCtrlNumber(int number) { m_ctrlNumber = number; }
    int channelNumber() const override { return m_channelNumber; }
    void setChannelNumber(int channel) { m_channelNumber = channel; }
    QString oscAddress() const override { return m_oscAddress; }
    void setOscAddress(const QString &address) { m_oscAddress = address; }
    int behavior() const { return m_behavior; }
    void setBehavior(int behavior) { m_behavior = behavior; }
    double minValue() const { return m_minValue; }
    void setMinValue(double value) { m_minValue = value; }
    double maxValue() const { return m_maxValue; }
    void setMaxValue(double value) { m_maxValue = value; }
    QString groupIdentifier() const { return m_groupIdentifier; }
    void setGroupIdentifier(const QString &identifier) { m_groupIdentifier = identifier; }

    // 1 or more turns the pad on, anything below off.
    void setMidiValue(const QVariant &value) override;

    QSize sizeHint() const override;

protected:
    // Group and close buttons act once, when the finger lifts.
    void setActsAtPress(bool acts) { m_actsAtPress = acts; }

    void touchesBegan(const TouchList &touches) override;
    void touchesEnded(const TouchList &touches) override;
    void touchesCancelled(const TouchList &touches) override;
    void draw(QPainter &painter) override;

private:
    void release(const TouchList &touches, bool ended);
    void sendAction();

    Action m_action;
    QString m_identifier;
    QString m_title;
    std::optional<ControlIcons::Icon> m_icon;
    int m_tag = 0;
    ButtonType m_buttonType = ButtonType::Momentary;
    bool m_state = false;
    bool m_highlighted = false;
    bool m_ignoreState = true;
    TitleCell m_titleCell = TitleCell::TitleColor;
    bool m_actsAtPress = true;
    std::optional<quint64> m_touchIdentity;
    QColor m_bezelColor = QColor(0x3a, 0x3a, 0x3c);
    bool m_canSendMMC = false;
    int m_kind = 0;
    int m_ctrlNumber = 0;
    int m_channelNumber = 1;
    int m_behavior = 1;
    double m_minValue = 0.0;
    double m_maxValue = 127.0;
    QString m_oscAddress;
    QString m_groupIdentifier;
};
