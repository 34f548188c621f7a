#include "MidiBackendFactory.h"
#include "AlsaBackend.h"

#include "model/UserDefaults.h"

#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable (unsets it for a null value) until the guard answered goes.
auto scopedEnvironment(const char *name, const QByteArray &value)
{
    const bool wasSet = qEnvironmentVariableIsSet(name);
    const QByteArray old = qgetenv(name);
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
    return qScopeGuard([=] { wasSet ? qputenv(name, old) : qunsetenv(name); });
}

TEST(MidiBackendFactory, EnvironmentOverridesThePreference)
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath("prefs.plist"));
    defaults.setObject("jack", "MidiBackend");
    {
        const auto unset = scopedEnvironment("STRIPDECK_MIDI_BACKEND", QByteArray());
        EXPECT_EQ(MidiBackendFactory::requested(&defaults), "jack");
        EXPECT_EQ(MidiBackendFactory::requested(nullptr), QString());
    }
    const auto forced = scopedEnvironment("STRIPDECK_MIDI_BACKEND", "none");
    EXPECT_EQ(MidiBackendFactory::requested(&defaults), "none");
    const auto choice = MidiBackendFactory::create(&defaults);
    EXPECT_EQ(choice.backend->name(), "none");
    EXPECT_TRUE(choice.notes.isEmpty());
}

// A forced system that is not there leaves the program running on the do-nothing backend,
// with the reason noted.
TEST(MidiBackendFactory, UnreachableForcedSystemFallsBackToNone)
{
    const auto server = scopedEnvironment("JACK_DEFAULT_SERVER", "stripdeck-no-such-server");
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
