#include "CommandLine.h"

#include "AppDelegate.h"

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine result;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--version")) {
            result.m_action = Action::PrintVersion;
            result.m_text = QStringLiteral("stripdeck %1\n").arg(AppDelegate::versionString());
            return result;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.m_action = Action::PrintHelp;
            result.m_text = helpText();
            return result;
        }
        if (argument == QLatin1String("--show")) {
            result.m_showStrip = true;
            continue;
        }
        // Qt reads its own options and their values (-platform xcb) from the same arguments
        // later, so only our double-dash form is ours to refuse.
        if (!argument.startsWith(QLatin1String("--")) || result.m_action == Action::Fail)
            continue;
        result.m_action = Action::Fail;
        result.m_text =
            QStringLiteral("stripdeck: unknown option '%1'\nTry 'stripdeck --help'.\n").arg(argument);
    }
    return result;
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Usage: stripdeck [--show]\n"
        "An on-screen MIDI and OSC controller: a strip of faders, pads, transport buttons and keys\n"
        "docked at the bottom of the screen, run from the system tray.\n"
        "\n"
        "  --show      show the strip as soon as Stripdeck has started\n"
        "  --version   print the version and exit\n"
        "  -h, --help  print this help and exit\n"
        "\n"
        "Only one Stripdeck runs per user: started again, it asks the running one to show its\n"
        "strip and exits. Qt's own options (-platform xcb, -display :1, ...) are passed to Qt.\n"
        "\n"
        "Environment: STRIPDECK_MIDI_BACKEND=alsa|jack|none picks the MIDI system; on a Wayland\n"
        "session Stripdeck runs through XWayland unless QT_QPA_PLATFORM says otherwise.\n");
}
