#pragma once

#include "MackieDisplay.h"
#include "SurfaceBankFeedback.h"
#include "SurfaceProtocol.h"
#include "SurfaceStripFeedback.h"

#include <array>
#include <optional>

namespace midi {

// Mackie Control as a main unit: the bank is the host's eight mixer channels, the strip the
// channel whose select LED the host lights. Answers the host's handshake, reads names from
// the upper LCD row, positions from pitch bend, LEDs from notes, pan from the V-Pot rings and
// the bank number from the assignment display; everything else the host sends is dropped.
class MackieControlProtocol : public SurfaceProtocol {
public:
    static constexpr int channelCount = MackieDisplay::channelCount;

    // None is owned; all must outlive this object. The handshake answers go to the router's
    // surface output.
    MackieControlProtocol(SurfaceBankFeedback &bank, SurfaceStripFeedback &strip, MidiRouter &router);

    void takeSurfaceMessage(const Message &message) override;
    void sendControlSurfaceControl(int controller, int value, int channel, MidiRouter &out) override;
    void sendControlSurfacePitchBend(quint16 value, int channel, MidiRouter &out) override;
    void activate() override;

    QColor currentTrackColor() const override { return QColor::fromRgbF(1, 0, 0, 1); }
    // Mackie Control has no device colour.
    QColor currentDeviceColor() const override { return {}; }

    // The channel whose select LED is lit, if any.
    std::optional<int> selectedChannel() const { return m_selected; }

    // The serial number this unit reports in the handshake (seven ASCII characters).
    static QByteArray serialNumber();

private:
    struct Channel {
        int msb = 0;
        int lsb = 0;
        int solo = 0;
        int mute = 0;
        float pan = 0.5f;
    };

    void systemExclusive(QByteArrayView body);
    void pitchBend(int channel, int lsb, int msb);
    void noteOn(int note, int velocity);
    void controlChange(int controller, int value);
    void select(int channel, bool lit);
    void showSelectedOnStrip();
    void showPanOnStrip(float pan);

    void touch(MidiRouter &out, bool &held, int channel, bool down);
    void press(MidiRouter &out, int note);
    void turnPan(MidiRouter &out, float target);

    SurfaceBankFeedback &m_bank;
    SurfaceStripFeedback &m_strip;
    MidiRouter &m_router;
    MackieDisplay m_display;
    std::array<Channel, channelCount> m_channels{};
    std::optional<int> m_selected;
    // Touches sent to the host and not yet released, so every value follows its touch.
    std::array<bool, channelCount> m_bankHeld{};
    bool m_volumeHeld = false;
    int m_volumeChannel = 0;
    // While the strip's pan is held, the ring's echo (eleven steps) does not move the point the
    // ticks are counted from.
    bool m_panHeld = false;
    float m_panSent = 0.5f;
};

} // namespace midi
