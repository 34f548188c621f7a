#include "MidiBackendFactory.h"
#include "AlsaBackend.h"

#include "model/UserDefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

TEST(MidiBackendFactory, EnvironmentOverridesThePreference)
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("prefs.plist")));
    defaults.setObject(QStringLiteral("jack"), QStringLiteral("MidiBackend"));
    {
        ScopedEnvironment unset("STRIPDECK_MIDI_BACKEND", QByteArray());
        EXPECT_EQ(MidiBackendFactory::requested(&defaults), QStringLiteral("jack"));
        EXPECT_EQ(MidiBackendFactory::requested(nullptr), QString());
    }
    ScopedEnvironment forced("STRIPDECK_MIDI_BACKEND", "none");
    EXPECT_EQ(MidiBackendFactory::requested(&defaults), QStringLiteral("none"));
    const auto choice = MidiBackendFactory::create(&defaults);
    EXPECT_EQ(choice.backend->name(), QStringLiteral("none"));
    EXPECT_TRUE(choice.notes.isEmpty());
}

// A forced system that is not there leaves the program running on the do-nothing backend,
// with the reason noted.
TEST(MidiBackendFactory, UnreachableForcedSystemFallsBackToNone)
{
    ScopedEnvironment server("JACK_DEFAULT_SERVER", "stripdeck-no-such-server");
    const auto choice =
        MidiBackendFactory::create(QStringLiteral("JACK"), "Stripdeck Test", "Stripdeck Test Port");
    EXPECT_EQ(choice.backend->name(), QStringLiteral("none"));
    ASSERT_EQ(choice.notes.size(), 1);
    EXPECT_TRUE(choice.notes.first().startsWith(QStringLiteral("JACK: jack_client_open")))
        << choice.notes.first().toStdString();
}

// Automatic choice: ALSA when the sequencer opens, else the running JACK server.
TEST(MidiBackendFactory, AutomaticChoiceTakesTheFirstSystemThatAnswers)
{
    const bool alsa = AlsaBackend::open(QStringLiteral("Stripdeck Probe")) != nullptr;
    if (!alsa && !qEnvironmentVariableIsSet("STRIPDECK_TEST_SERVICES"))
        GTEST_SKIP() << "neither an ALSA sequencer nor the test JACK server (scripts/with-test-services)";
    const auto choice = MidiBackendFactory::create(QString(), "Stripdeck Test", "Stripdeck Test Port");
    EXPECT_EQ(choice.backend->name(), alsa ? QStringLiteral("alsa") : QStringLiteral("jack"));
    EXPECT_EQ(choice.notes.size(), alsa ? 0 : 1);
}

} // namespace
