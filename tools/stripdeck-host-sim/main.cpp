// stripdeck-host-sim: the host application's side of Stripdeck's control-surface protocol,
// for trying control-surface mode without a DAW and for the integration tests.
#include "HostScript.h"
#include "HostSimulator.h"
#include "MackieHostScript.h"
#include "MackieReplyDecoder.h"
#include "MidiBackendFactory.h"

#include "midi/Client.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// Ctrl-C ends the listening: the handler only writes a byte, the main loop quits.
void quitOnSignals(QCoreApplication &application)
{
    if (pipe(signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    const auto handler = [](int) { [[maybe_unused]] const auto written = write(signalPipe[1], "q", 1); };
    std::signal(SIGINT, handler);
    std::signal(SIGTERM, handler);
}

QString readScript(const QCommandLineParser &parser, QTextStream &err, bool *ok)
{
    QString script;
    *ok = true;
    if (parser.isSet(QStringLiteral("script"))) {
        const QString path = parser.value(QStringLiteral("script"));
        QFile file(path);
        const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                       : file.open(QIODevice::ReadOnly);
        if (!opened) {
            err << "stripdeck-host-sim: cannot read " << path << ": " << file.errorString() << '\n';
            *ok = false;
            return {};
        }
        script = QString::fromUtf8(file.readAll());
    }
    for (const QString &command : parser.values(QStringLiteral("e")))
        script += u'\n' + command;
    return script;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("stripdeck-host-sim"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays a DAW's control script against Stripdeck's \"Stripdeck Surface\" "
                       "ports: sends the commands of a "
                       "script (see README, \"MIDI ports\") and prints what the eight-fader bank "
                       "and the channel strip send back."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("script"), QStringLiteral("Script file to play (- for standard input)."),
         QStringLiteral("file")},
        {QStringLiteral("e"), QStringLiteral("One script command; may be repeated, runs after the file."),
         QStringLiteral("command")},
        {QStringLiteral("port"), QStringLiteral("Name of the ports to connect to."), QStringLiteral("name"),
         QStringLiteral("Stripdeck Surface")},
        {QStringLiteral("backend"), QStringLiteral("MIDI system: alsa, jack or auto."),
         QStringLiteral("name")},
        {QStringLiteral("wait"), QStringLiteral("Seconds to wait for the ports to appear."),
         QStringLiteral("seconds"), QStringLiteral("10")},
        {QStringLiteral("protocol"),
         QStringLiteral("Surface protocol: native, or mackie for Mackie Control (see README)."),
         QStringLiteral("name"), QStringLiteral("native")},
        {QStringLiteral("listen"),
         QStringLiteral("Seconds to go on printing after the script; -1 until Ctrl-C."),
         QStringLiteral("seconds"), QStringLiteral("-1")},
    });
    parser.process(application);

    const QString protocol = parser.value(QStringLiteral("protocol"));
    const bool mackie = protocol == QLatin1String("mackie");
    if (!mackie && protocol != QLatin1String("native")) {
        err << "stripdeck-host-sim: unknown protocol " << protocol << '\n';
        return 1;
    }
    bool ok = false;
    const QString script = readScript(parser, err, &ok);
    QString error;
    const auto steps =
        ok ? HostScript::parse(script, &error,
                               mackie ? HostScript::Commands(MackieHostScript::message) : nullptr)
           : std::nullopt;
    if (!steps) {
        if (ok)
            err << "stripdeck-host-sim: " << error << '\n';
        return 1;
    }

    const QString request = parser.isSet(QStringLiteral("backend")) ? parser.value(QStringLiteral("backend"))
                                                                    : MidiBackendFactory::requested(nullptr);
    auto choice = MidiBackendFactory::create(request, QStringLiteral("Stripdeck Host Sim"),
                                             QStringLiteral("Stripdeck Host Sim"));
    if (choice.backend->name() == QLatin1String("none")) {
        err << "stripdeck-host-sim: no MIDI system reachable\n  " << choice.notes.join(QStringLiteral("\n  "))
            << '\n';
        return 2;
    }
    err << "stripdeck-host-sim: using " << choice.backend->name() << '\n';
    midi::Client::installBackend(std::move(choice.backend));

    HostSimulator::Options options;
    options.target = parser.value(QStringLiteral("port"));
    if (mackie)
        options.describe = MackieReplyDecoder::describe;
    options.connectTimeoutMs = int(parser.value(QStringLiteral("wait")).toDouble() * 1000);
    const double listen = parser.value(QStringLiteral("listen")).toDouble();
    options.listenMs = listen < 0 ? -1 : int(listen * 1000);

    int exitCode = 0;
    {
        HostSimulator simulator(*steps, options, out, err);
        QObject::connect(&simulator, &HostSimulator::finished, &application, [&](int code) {
            exitCode = code;
            QCoreApplication::quit();
        });
        quitOnSignals(application);
        simulator.start();
        application.exec();
    }
    midi::Client::installBackend(nullptr);
    return exitCode;
}
