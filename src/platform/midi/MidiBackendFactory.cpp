#include "MidiBackendFactory.h"

#include "AlsaBackend.h"
#include "JackBackend.h"

#include "midi/NullBackend.h"
#include "model/UserDefaults.h"

QString MidiBackendFactory::requested(const UserDefaults *defaults)
{
    const QString fromEnvironment = qEnvironmentVariable("STRIPDECK_MIDI_BACKEND");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return defaults ? defaults->stringForKey(QStringLiteral("MidiBackend")) : QString();
}

MidiBackendFactory::Choice MidiBackendFactory::create(const UserDefaults *defaults)
{
    return create(requested(defaults), QStringLiteral("Stripdeck"), QStringLiteral("Stripdeck Port"));
}

MidiBackendFactory::Choice MidiBackendFactory::create(const QString &request, const QString &alsaClientName,
                                                      const QString &jackPortClientName)
{
    const QString wanted = request.trimmed().toLower();
    const bool automatic =
        wanted != QLatin1String("alsa") && wanted != QLatin1String("jack") && wanted != QLatin1String("none");
    Choice choice;
    if (automatic || wanted == QLatin1String("alsa")) {
        QString error;
        choice.backend = AlsaBackend::open(alsaClientName, &error);
        if (choice.backend)
            return choice;
        choice.notes.append(QStringLiteral("ALSA sequencer: %1").arg(error));
    }
    if (automatic || wanted == QLatin1String("jack")) {
        QString error;
        choice.backend = JackBackend::open(jackPortClientName, &error);
        if (choice.backend)
            return choice;
        choice.notes.append(QStringLiteral("JACK: %1").arg(error));
    }
    choice.backend = std::make_unique<midi::NullBackend>();
    return choice;
}
