#include "MidiBackendFactory.h"
#include "AlsaBackend.h"

#include "model/UserDefaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable (unsets it for a null value) for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : m_name(name)
        , m_old(qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray())
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnvironment() { m_old.isNull() ? qunsetenv(m_name) : qputenv(m_name, m_old); }

private:
    const char *m_name;
    QByteArray m_old;
};

TEST(MidiBackendFactory, EnvironmentOverridesThePreference)
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath("prefs.plist"));
    defaults.setObject("jack", "MidiBackend");
    {
        ScopedEnvironment unset("STRIPDECK_MIDI_BACKEND", QByteArray());
        EXPECT_EQ(MidiBackendFactory::requested(&defaults), "jack");
        EXPECT_EQ(MidiBackendFactory::requested(nullptr), QString());
    }
    ScopedEnvironment forced("STRIPDECK_MIDI_BACKEND", "none");
    EXPECT_EQ(MidiBackendFactory::requested(&defaults), "none");
    const auto choice = MidiBackendFactory::create(&defaults);
    EXPECT_EQ(choice.backend->name(), "none");
    EXPECT_TRUE(choice.notes.isEmpty());
}

// A forced system that is not there leaves the program running on the do-nothing backend,
// with the reason noted.
TEST(MidiBackendFactory, UnreachableForcedSystemFallsBackToNone)
{
    ScopedEnvironment server("JACK_DEFAULT_SERVER", "stripdeck-no-such-server");
    const auto choice = MidiBackendFactory::create("JACK", "Stripdeck Test", "Stripdeck Test Port");
    EXPECT_EQ(choice.backend->name(), "none");
    ASSERT_EQ(choice.notes.size(), 1);
    EXPECT_TRUE(choice.notes.first().startsWith("JACK: jack_client_open"))
        << choice.notes.first().toStdString();
}

// Automatic choice: ALSA when the sequencer opens, else the running JACK server.
TEST(MidiBackendFactory, AutomaticChoiceTakesTheFirstSystemThatAnswers)
{
    const bool alsa = AlsaBackend::open("Stripdeck Probe") != nullptr;
    if (!alsa && !qEnvironmentVariableIsSet("STRIPDECK_TEST_SERVICES"))
        GTEST_SKIP() << "neither an ALSA sequencer nor the test JACK server (scripts/with-test-services)";
    const auto choice = MidiBackendFactory::create(QString(), "Stripdeck Test", "Stripdeck Test Port");
    EXPECT_EQ(choice.backend->name(), alsa ? "alsa" : "jack");
    EXPECT_EQ(choice.notes.size(), alsa ? 0 : 1);
}

} // namespace
