#pragma once

#include "eightFaderItemDelegate.h"
#include "eightFaderViewDelegate.h"

#include "midi/SurfaceBankFeedback.h"

#include <QColor>
#include <QObject>
#include <QPointer>

#include <array>

// The model and message end of the eight-fader bank: eight parameter slots of the host's
// current device and the bank state, filled by the host's feedback and sent back to it as
// the view is touched. Lives for the whole run; views come and go.
class eightFaderTouchbarItem : public QObject,
                               public midi::SurfaceBankFeedback,
                               public eightFaderViewDelegate {
    Q_OBJECT
public:
    static constexpr int faderCount = 8;

    explicit eightFaderTouchbarItem(const QString &identifier, QObject *parent = nullptr);

    QString identifier() const { return m_identifier; }
    // Not owned; must outlive the item's use.
    void setTouchDelegate(eightFaderItemDelegate *delegate) { m_touchDelegate = delegate; }
    // The view that shows the item now, if any.
    void setView(QObject *view) { m_view = view; }
    QObject *view() const { return m_view; }

    // Host feedback.
    void setMSB(int msb, int faderNr) override;
    void setLSB(int lsb, int faderNr) override;
    void setParameterName(const QString &name, int parameter) override;
    void setParameterType(int type, int parameter) override;
    void setButtonMode(int mode) override { m_eightButtonEncoderMode = mode; }
    void setBankMode(int mode) override;
    void setColorMode(int mode) override { m_colorMode = mode; }
    void setDeviceOnValue(bool on) override;
    void setBankNumber(const QString &number) override;
    void updateTrackColor() override;

    // View operations.
    void sendValue(float value, int fader, bool invert) override;
    void sendTouch(int state, int fader) override;
    void setValue(float value, int faderNr) override;
    float getValueForFader(int fader) const override;
    QStringList getParameterNames() const override;
    QString getParameterName(int parameter) const override;
    QStringList getParameterTypes() const override;
    QString getBankNumber() const override;
    bool getDeviceOnValue() const override { return m_deviceOnValue; }
    int getBankMode() const override { return m_bankMode; }
    int getButtonMode() const override { return m_eightButtonEncoderMode; }
    int getColorMode() const override { return m_colorMode; }
    void sendButtonPrev() override;
    void sendButtonNext() override;

Q_SIGNALS:
    // The view redraws.
    void displayChanged();
    // A name changed: the view redraws unless a touch is active (labels catch up at each draw).
    void nameChanged();
    // The view refreshes every name label (white text) and redraws.
    void allNamesChanged();
    // The view shows this text as the bank number at once.
    void bankNumberChanged(const QString &number);
    // The view's highlight colour; invalid for none. The view redraws.
    void onColorChanged(const QColor &color);

private:
    static bool isSlot(int fader) { return fader >= 0 && fader < faderCount; }

    QString m_identifier;
    eightFaderItemDelegate *m_touchDelegate = nullptr;
    QPointer<QObject> m_view;
    std::array<QString, faderCount> m_allParameterNames;
    std::array<QString, faderCount> m_allParameterTypes;
    std::array<int, faderCount> m_allMSBs{};
    std::array<float, faderCount> m_allFaderValues{};
    QString m_bankNumer = QStringLiteral("-");
    bool m_deviceOnValue = false;
    qint32 m_eightButtonEncoderMode = 1;
    qint32 m_colorMode = 0;
    qint32 m_bankMode = 0;
};
