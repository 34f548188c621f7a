#include "../platform/midi/JackPeer.h"
#include "../platform/midi/WaitFor.h"
#include "ArdourPeer.h"
#include "JackBackend.h"
#include "app/MidiServices.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Ardour bounds its own waits by seconds; these only keep a broken run from hanging.
constexpr int ardourAnswers = 20000;

QStringList trackNames(int first, int count)
{
    QStringList names;
    for (int i = first; i < first + count; ++i)
        names.append(QStringLiteral("Trk%1").arg(i, 2, 10, QChar(u'0')));
    return names;
}

// The program's MIDI half in Mackie mode on the JACK server of the tests, its surface ports
// connected to a headless Ardour's Mackie Control ports, and Ardour's OSC surface to read
// back what Mackie Control did there. A peer listens to what the program sends Ardour.
class ArdourMackieTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = ArdourPeer::missing();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        QString error;
        auto backend = JackBackend::open("Stripdeck Port", &error);
        if (!backend)
            GTEST_SKIP() << "no JACK server (run under scripts/with-test-services): " << error.toStdString();
        midi::Client::installBackend(std::move(backend));
        m_defaults.setObject(MidiServices::mackieProtocolName(), QStringLiteral("SurfaceProtocol"));
        m_services = std::make_unique<MidiServices>(m_defaults);
        m_services->setupMIDI();
        m_ardour = ArdourPeer::start(trackNames(1, 16), &error);
        ASSERT_TRUE(m_ardour) << error.toStdString();
        m_listener = JackPeer::open(QStringLiteral("stripdeck-mackie-listener"));
        ASSERT_TRUE(m_listener);
        ASSERT_TRUE(m_listener->connect("Stripdeck Surface:out", m_listener->inName()));
        ASSERT_TRUE(m_listener->connect("Stripdeck Surface:out", m_ardour->mackieInput()));
        ASSERT_TRUE(withRetries([&] { return handshake(); }))
            << "Ardour never asked who is there, or never heard the answer";
    }

    // Ardour asks which device is there whenever its output is connected, and takes what the
    // surface sends only once it has had the answer. On a busy dummy server a connection may
    // take effect after the question went out; connecting again asks again.
    bool handshake()
    {
        JackPeer::run(QStringLiteral("jack_disconnect"), {m_ardour->mackieOutput(), "Stripdeck Surface:in"});
        m_listener->clear();
        if (!m_listener->connect(m_ardour->mackieOutput(), "Stripdeck Surface:in"))
            return false;
        const QByteArray answer =
            QByteArray::fromHex("f00000661401") + midi::MackieControlProtocol::serialNumber();
        return waitFor(
            [&] {
                const auto sent = m_listener->received();
                return std::any_of(sent.begin(), sent.end(),
                                   [&](const QByteArray &m) { return m.startsWith(answer); });
            },
            3000);
    }

    void TearDown() override
    {
        m_listener.reset();
        m_ardour.reset();
        m_services.reset();
        midi::Client::installBackend(nullptr);
    }

    eightFaderTouchbarItem &bank() { return m_services->eightFaderItem(); }
    controlStripTouchbarItem &strip() { return m_services->controlStripItem(); }

    // Ardour writes the LCD when it likes; a full bank is there once the eighth name is.
    bool bankShows(const QStringList &names)
    {
        return waitFor([&] { return bank().getParameterNames() == names; }, ardourAnswers);
    }

    // The gain Ardour reports for a strip, in dB.
    std::optional<double> gain(int ssid)
    {
        const auto value = m_ardour->reported(QStringLiteral("/strip/gain"), ssid);
        return value ? std::optional<double>(value->toDouble()) : std::nullopt;
    }

    // Sets a gain in Ardour until the bank slot settles on a new position, which it answers.
    std::optional<float> positionForGain(int slot, double dB)
    {
        const float before = bank().getValueForFader(slot);
        m_ardour->sendOsc(QStringLiteral("/strip/gain"), {slot + 1, float(dB)});
        if (!waitFor([&] { return bank().getValueForFader(slot) != before; }, ardourAnswers))
            return std::nullopt;
        waitFor([] { return false; }, 300); // later updates of the same move
        return bank().getValueForFader(slot);
    }

    // A finger on a bank slot from one position to another, as the view reports it: the first
    // value, the touch, the moves, the release.
    void drag(int slot, float from, float to)
    {
        bank().sendValue(from, slot, false);
        bank().sendTouch(1, slot);
        for (int step = 1; step <= 10; ++step) {
            bank().sendValue(from + (to - from) * float(step) / 10.0f, slot, false);
            waitFor([] { return false; }, 20);
        }
        bank().sendTouch(0, slot);
    }

    QTemporaryDir m_dir;
    UserDefaults m_defaults{m_dir.filePath("prefs.plist")};
    std::unique_ptr<MidiServices> m_services;
    std::unique_ptr<ArdourPeer> m_ardour;
    std::unique_ptr<JackPeer> m_listener;
};

TEST_F(ArdourMackieTest, ArdourAndTheBankAndStripFollowEachOther)
{
    {
        SCOPED_TRACE("the bank shows Ardour's track names in order");
        // Ardour writes the whole display again once it hears the answer to its question; on a
        // busy server a display written while the connection was being made again is lost.
        bool shown = bankShows(trackNames(1, 8));
        for (int attempt = 0; !shown && attempt < 2; ++attempt)
            shown = handshake() && bankShows(trackNames(1, 8));
        ASSERT_TRUE(shown) << bank().getParameterNames().join(u',').toStdString();
    }
    float minus6 = 0.0f;
    float zero = 0.0f;
    {
        SCOPED_TRACE("a gain set in Ardour moves the bank fader of that track");
        const auto atMinus6 = positionForGain(1, -6.0);
        ASSERT_TRUE(atMinus6);
        const auto atZero = positionForGain(1, 0.0);
        ASSERT_TRUE(atZero);
        EXPECT_GT(*atZero, *atMinus6);
        EXPECT_GT(*atMinus6, 0.3f);
        EXPECT_LT(*atZero, 1.0f) << "0 dB is below the top, which is Ardour's +6 dB";
        for (int other : {0, 2, 7})
            EXPECT_FLOAT_EQ(bank().getValueForFader(other), *atZero) << "slot " << other << " stays at 0 dB";
        minus6 = *atMinus6;
        zero = *atZero;
    }
    {
        SCOPED_TRACE("a drag on the bank fader sets that track's gain in Ardour, touched before and after");
        const QByteArray release = QByteArray::fromHex("906900");
        const bool reached = withRetries([&] {
            m_listener->clear();
            drag(1, zero, minus6);
            return waitFor([&] { return gain(2) && std::abs(*gain(2) + 6.0) < 0.5; }, 5000);
        });
        EXPECT_TRUE(reached) << "Ardour reports " << gain(2).value_or(NAN) << " dB";
        EXPECT_TRUE(waitFor([&] { return m_listener->received().contains(release); }, 5000));
        QStringList sent;
        for (const QByteArray &message : m_listener->received())
            sent.append(QString::fromLatin1(message.toHex()));
        ASSERT_GE(sent.size(), 3);
        EXPECT_EQ(sent.first(), "90697f") << "the touch comes first: " << sent.join(u' ').toStdString();
        EXPECT_EQ(sent.last(), "906900") << "the release comes last: " << sent.join(u' ').toStdString();
        const int bend = int(minus6 * 16383.0f);
        EXPECT_EQ(
            sent.at(sent.size() - 2),
            QStringLiteral("e1%1%2").arg(bend & 0x7F, 2, 16, QChar(u'0')).arg(bend >> 7, 2, 16, QChar(u'0')))
            << "the last value is the position Ardour showed for -6 dB";
        EXPECT_NEAR(*gain(1), 0.0, 0.01) << "the neighbour is untouched";
    }
    {
        SCOPED_TRACE("bank right and left move the names by eight");
        ASSERT_TRUE(withRetries([&] {
            bank().sendButtonNext();
            return bankShows(trackNames(9, 8));
        })) << bank().getParameterNames().join(u',').toStdString();
        ASSERT_TRUE(withRetries([&] {
            bank().sendButtonPrev();
            return bankShows(trackNames(1, 8));
        })) << bank().getParameterNames().join(u',').toStdString();
    }
    {
        SCOPED_TRACE("a track selected in Ardour is the strip; mute from the strip reaches Ardour");
        // Headless Ardour has no editor to click in and its OSC surface keeps a selection of its
        // own, so the track is selected as a second Mackie unit's select button would: the
        // strip follows the select LED Ardour lights, not the press.
        ASSERT_TRUE(withRetries([&] {
            m_services->router().sendControlSurfaceNoteOn(0x1A, 127, 1);
            m_services->router().sendControlSurfaceNoteOn(0x1A, 0, 1);
            return waitFor([&] { return strip().getChannelName() == "Trk03"; }, 5000);
        })) << "the strip shows \""
            << strip().getChannelName().toStdString() << '"';
        EXPECT_EQ(m_services->mackie().selectedChannel(), 2);
        ASSERT_EQ(strip().getMuteButtonValue(), 0);
        strip().sendMuteButton();
        EXPECT_TRUE(waitFor(
            [&] {
                const auto mute = m_ardour->reported(QStringLiteral("/strip/mute"), 3);
                return mute && mute->toDouble() == 1.0;
            },
            ardourAnswers))
            << "Ardour never reported track 3 muted";
        EXPECT_TRUE(waitFor([&] { return strip().getMuteButtonValue() == 127; }, ardourAnswers))
            << "Ardour's mute LED lights the strip's mute";
        const auto neighbour = m_ardour->reported(QStringLiteral("/strip/mute"), 2);
        EXPECT_TRUE(neighbour && neighbour->toDouble() == 0.0);
    }
}

} // namespace
