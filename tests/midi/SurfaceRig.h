#pragma once

#include "controls/ControlSurfaceDelegate.h"
#include "controls/controlStripTouchbarItem.h"
#include "controls/eightFaderTouchbarItem.h"
#include "midi/Client.h"
#include "midi/ListenerTables.h"
#include "midi/MidiEndpoints.h"
#include "midi/MidiInputHandler.h"
#include "midi/MidiRouter.h"
#include "midi/SurfaceFeedback.h"
#include "model/UserDefaults.h"
#include "platform/loopback/LoopbackBackend.h"

#include <QTemporaryDir>

#include <memory>
#include <ostream>

// Texts in failure messages, with any zero bytes shown.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString().c_str() << (text.contains(QChar(0)) ? "\" (with zero bytes)" : "\"");
}

// A listening control that records every value it is given.
class TestControl : public midi::ListeningControl {
public:
    TestControl(int kind, int number, int channel, QString address = {})
        : m_kind(kind)
        , m_number(number)
        , m_channel(channel)
        , m_address(std::move(address))
    {
    }

    int kind() const override { return m_kind; }
    int ctrlNumber() const override { return m_number; }
    int channelNumber() const override { return m_channel; }
    QString oscAddress() const override { return m_address; }
    void setMidiValue(const QVariant &value) override { m_values.append(value); }

    QVariantList m_values;

private:
    int m_kind;
    int m_number;
    int m_channel;
    QString m_address;
};

// The program's MIDI half wired as the application wires it, on the loopback system: bytes
// injected on an endpoint take the path real input takes, and everything sent is logged.
class SurfaceRig {
public:
    SurfaceRig()
        : m_defaults(m_dir.filePath(QStringLiteral("prefs.plist")))
    {
        auto backend = std::make_unique<LoopbackBackend>();
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
        m_endpoints = std::make_unique<midi::MidiEndpoints>(m_defaults);
        m_endpoints->setupMIDI(&m_handler);
        m_endpoints->connectRouter(m_router);
        m_bank.setTouchDelegate(&m_delegate);
        m_strip.setTouchDelegate(&m_delegate);
        m_feedback.setClosePopUp([this] { ++m_popUpsClosed; });
        m_delegate.setOpenDeviceTouchBar([this] { ++m_deviceTouchBarsOpened; });
    }

    ~SurfaceRig()
    {
        // Streams hold ports of the backend, so they go first.
        m_endpoints.reset();
        midi::Client::installBackend(nullptr);
    }

    bool surface(const QByteArray &bytes)
    {
        return m_backend->inject(midi::MidiEndpoints::surfaceName(), bytes);
    }
    bool user(const QByteArray &bytes) { return m_backend->inject(midi::MidiEndpoints::userName(), bytes); }
    bool surface(const char *hex) { return surface(QByteArray::fromHex(hex)); }
    bool user(const char *hex) { return user(QByteArray::fromHex(hex)); }

    // What went out on the surface output, as hex strings in order.
    QStringList sentToSurface() const
    {
        QStringList result;
        for (const auto &sent : m_backend->sent()) {
            if (sent.target == midi::MidiEndpoints::surfaceName())
                result.append(QString::fromLatin1(sent.bytes.toHex()));
        }
        return result;
    }

    QTemporaryDir m_dir;
    UserDefaults m_defaults;
    LoopbackBackend *m_backend = nullptr;
    eightFaderTouchbarItem m_bank{QStringLiteral("xc.korvane.stripdeck.8fader-view")};
    controlStripTouchbarItem m_strip{QStringLiteral("xc.korvane.stripdeck.controlstrip-view")};
    midi::SurfaceFeedback m_feedback{m_bank, m_strip};
    midi::ListenerTables m_listeners;
    midi::MidiInputHandler m_handler{m_feedback, m_listeners};
    midi::MidiRouter m_router;
    ControlSurfaceDelegate m_delegate{m_router, m_feedback};
    std::unique_ptr<midi::MidiEndpoints> m_endpoints;
    int m_popUpsClosed = 0;
    int m_deviceTouchBarsOpened = 0;
};
