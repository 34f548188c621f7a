// A Mackie Control host may send anything to the surface input, in any order, between any
// touches on the views: nothing may crash or read past a message, and the bank and strip must
// stay in a state they can hold.
//
// Input: records of [flags][length][length bytes]. Flag bit 0: the bytes are a message from
// the host, else a touch on the views (action, slot, two value bytes). Bit 1 wraps a host
// message in the main unit's system-exclusive header and F7, so short inputs reach the
// commands.
#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/eightFaderTouchbarItem.h"
#include "midi/DestinationEndpoint.h"
#include "midi/MackieControlProtocol.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiRouter.h"

#include <cstddef>
#include <cstdint>

namespace {

void touchViews(const QByteArray &action, eightFaderTouchbarItem &bank, controlStripTouchbarItem &strip)
{
    if (action.size() < 4)
        return;
    const int slot = quint8(action[1]) % 10 - 1;
    const float value = float(quint8(action[2]) << 8 | quint8(action[3])) / 65535.0f;
    switch (quint8(action[0]) % 9) {
    case 0:
        return bank.sendValue(value, slot, action[2] & 1);
    case 1:
        return bank.sendTouch(action[2] & 1, slot);
    case 2:
        return bank.sendButtonPrev();
    case 3:
        return bank.sendButtonNext();
    case 4:
        return strip.sendValue(value, slot);
    case 5:
        return strip.sendTouch(action[2] & 1, slot);
    case 6:
        return strip.sendSoloButton();
    case 7:
        return strip.sendMuteButton();
    default:
        return strip.openDevice();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto surface =
        std::make_shared<midi::DestinationEndpoint>(midi::MidiEndpoints::surfaceName(), nullptr, 1);
    eightFaderTouchbarItem bank(QStringLiteral("bank"));
    controlStripTouchbarItem strip(QStringLiteral("strip"));
    midi::MidiRouter router;
    midi::MackieControlProtocol mackie(bank, strip, router);
    ControlSurfaceDelegate delegate(router, mackie);
    bank.setTouchDelegate(&delegate);
    strip.setTouchDelegate(&delegate);
    mackie.activate();

    size_t at = 0;
    while (at + 2 <= size) {
        const uint8_t flags = data[at];
        const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
        QByteArray bytes(reinterpret_cast<const char *>(data + at + 2), qsizetype(length));
        at += 2 + length;
        if (!(flags & 1)) {
            touchViews(bytes, bank, strip);
            continue;
        }
        if (flags & 2)
            bytes = QByteArray::fromHex("f000006614") + bytes + char(0xF7);
        mackie.takeSurfaceMessage(midi::Message(bytes, 0, surface));
    }
    for (int f = -1; f <= eightFaderTouchbarItem::faderCount; ++f) {
        bank.getParameterName(f);
        bank.getValueForFader(f);
        strip.getValueForFader(f);
    }
    bank.getBankNumber();
    strip.getChannelName();
    return 0;
}
