#pragma once

#include "Message.h"
#include "SurfaceBankFeedback.h"
#include "SurfaceProtocol.h"
#include "SurfaceStripFeedback.h"

#include <QByteArrayView>
#include <QColor>

#include <functional>

namespace midi {

// Applies what a host's control script sends to the surface input: names, colours, modes and
// states (system exclusive), fader positions (pitch bend) and buttons (control change on
// channel 1). Everything outside the protocol is dropped without a report.
class SurfaceFeedback : public SurfaceProtocol {
public:
    SurfaceFeedback(SurfaceBankFeedback &bank, SurfaceStripFeedback &strip);

    // Called when the host reports that the track has no device.
    void setClosePopUp(std::function<void()> closePopUp) { m_closePopUp = std::move(closePopUp); }

    void takeSurfaceMessage(const Message &message) override;
    // The bank's and strip's messages are this protocol's own: they go out as they are.
    void sendControlSurfaceControl(int controller, int value, int channel, MidiRouter &out) override;
    void sendControlSurfacePitchBend(quint16 value, int channel, MidiRouter &out) override;
    void activate() override;

    // Pure red until the host sends a track colour.
    QColor currentTrackColor() const override { return m_currentTrackColor; }
    // Invalid until the host sends a device colour.
    QColor currentDeviceColor() const override { return m_currentDeviceColor; }

    // Host texts: 8-bit bytes packed into 7-bit data bytes, most significant bit first, seven
    // bytes to every eight. Text that is not UTF-8 reads "null".
    static QString convertDataToUTF8(QByteArrayView data);

private:
    void systemExclusive(QByteArrayView body);
    void pitchBend(const Message &message);
    void controlChange(int controller, int value);
    static QColor colorAt(QByteArrayView body);

    SurfaceBankFeedback &m_bank;
    SurfaceStripFeedback &m_strip;
    std::function<void()> m_closePopUp;
    QColor m_currentTrackColor = QColor::fromRgbF(1, 0, 0, 1);
    QColor m_currentDeviceColor;
};

} // namespace midi
