#pragma once

#include "controlStripItemDelegate.h"
#include "controlStripViewDelegate.h"

#include "midi/SurfaceStripFeedback.h"

#include <QColor>
#include <QObject>
#include <QPointer>

#include <array>

// The model and message end of the channel strip: the host's selected track with its volume,
// pan and four sends, solo and mute, and its first device, filled by the host's feedback and
// sent back to it as the view is touched. Lives for the whole run; views come and go.
class controlStripTouchbarItem : public QObject,
                                 public midi::SurfaceStripFeedback,
                                 public controlStripViewDelegate {
    Q_OBJECT
public:
    static constexpr int faderCount = 6;
    static constexpr int sendCount = 4;

    explicit controlStripTouchbarItem(const QString &identifier, QObject *parent = nullptr);

    static QString noDeviceName() { return QStringLiteral("<no Device>"); }

    QString identifier() const { return m_identifier; }
    // Not owned; must outlive the item's use.
    void setTouchDelegate(controlStripItemDelegate *delegate) { m_touchDelegate = delegate; }
    // The view that shows the item now, if any.
    void setView(QObject *view) { m_view = view; }
    QObject *view() const { return m_view; }
    bool hasDevice() const { return m_hasDevice; }

    // Host feedback.
    void setMSB(int msb, int faderNr) override;
    void setLSB(int lsb, int faderNr) override;
    void setChannelName(const QString &name) override;
    void setSendName(const QString &name, int send) override;
    void setDeviceName(const QString &name) override;
    void setPanName(const QString &name) override;
    void setDeviceColor(const QColor &color) override;
    void hasDevice(bool yes) override;
    void setSoloButton(int value) override;
    void setMuteButton(int value) override;
    void updateTrackColor() override;
    void setSendsEnabled(bool enabled) override;

    // View operations.
    void openDevice() override;
    void updateDeviceColor() override;
    void sendValue(float value, int fader) override;
    void sendTouch(int state, int fader) override;
    float getValueForFader(int fader) const override;
    void sendSoloButton() override;
    int getSoloButtonValue() const override { return m_soloButtonValue; }
    void sendMuteButton() override;
    int getMuteButtonValue() const override { return m_muteButtonValue; }
    QColor getDeviceColor() const override;
    QString getChannelName() const override { return m_channelName; }
    QString getPanName() const override { return m_panName; }
    QString getDeviceName() const override;
    QString getNameForSend(int send) const override;
    bool sendsEnabled() const override { return m_sendsEnabled; }

Q_SIGNALS:
    // The view redraws.
    void displayChanged();
    // A name changed: the view takes it into its name list and redraws unless a touch is
    // active (labels catch up at each draw).
    void nameChanged();
    // The view refreshes every name label and redraws.
    void allNamesChanged();
    // The view's track colour; the view redraws.
    void onColorChanged(const QColor &color);
    // The view lays itself out again and redraws.
    void layoutChanged();

private:
    static bool isFader(int fader) { return fader >= 0 && fader < faderCount; }
    // A fader whose messages reach the host: sends only while the protocol gives them a function.
    bool isLive(int fader) const { return isFader(fader) && (m_sendsEnabled || fader < firstSendFader); }
    static constexpr int firstSendFader = 2;
    static int toggled(int state);

    QString m_identifier;
    controlStripItemDelegate *m_touchDelegate = nullptr;
    QPointer<QObject> m_view;
    QString m_channelName = QStringLiteral("Volume");
    QString m_panName = QStringLiteral("Pan");
    QString m_deviceName = noDeviceName();
    bool m_hasDevice = false;
    QColor m_deviceColor;
    std::array<QString, sendCount> m_allSendNames;
    bool m_sendsEnabled = true;
    std::array<int, faderCount> m_allMSBs{};
    std::array<float, faderCount> m_allFaderValues{};
    qint32 m_soloButtonValue = 0;
    qint32 m_muteButtonValue = 0;
};
