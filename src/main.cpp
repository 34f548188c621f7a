#include "app/AppDelegate.h"
#include "app/AppDialogs.h"
#include "app/CCSettingsViewController.h"
#include "app/CommandLine.h"
#include "app/HotKeyCommands.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"
#include "net/SingleInstance.h"
#include "platform/midi/MidiBackendFactory.h"
#include "platform/qt/DisplayPlatform.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/TrayStatusItem.h"
#include "platform/qt/UnixSignalQuitter.h"
#include "platform/touchbar/StripTouchBarHost.h"
#include "platform/x11/X11FrontmostApplication.h"
#include "platform/x11/X11GlobalShortcutService.h"
#include "platform/x11/XTestKeySynthesizer.h"
#include "platform/x11/XkbKeyboardLayout.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <optional>

namespace {

CommandLine readCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return CommandLine::parse(arguments);
}

// Ends here when another copy runs (after asking it to show its strip) or when neither this nor
// another copy can run; otherwise this process is the one copy.
std::optional<int> becomeSingleInstance(SingleInstance &instance)
{
    QString error;
    switch (instance.claim(&error)) {
    case SingleInstance::Role::First:
        return std::nullopt;
    case SingleInstance::Role::Second:
        std::fputs("stripdeck: Stripdeck is running already; it shows its strip.\n", stdout);
        return 0;
    case SingleInstance::Role::Failed:
        break;
    }
    std::fprintf(stderr, "stripdeck: %s\n", error.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine commandLine = readCommandLine(argc, argv);
    if (commandLine.action() != CommandLine::Action::Run) {
        std::fputs(commandLine.text().toLocal8Bit().constData(),
                   commandLine.action() == CommandLine::Action::Fail ? stderr : stdout);
        return commandLine.exitCode();
    }
    DisplayPlatform::preferX11();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stripdeck"));
    QApplication::setDesktopFileName(QStringLiteral("xq.korvane.Stripdeck"));
    QApplication::setQuitOnLastWindowClosed(false);

    // One copy per preferences file: two would overwrite each other's settings and publish
    // two sets of ports under the same names.
    SingleInstance instance(
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
        SingleInstance::nameFor(QStringLiteral("xq.korvane.Stripdeck"), UserDefaults::standardFilePath()));
    if (const std::optional<int> status = becomeSingleInstance(instance))
        return *status;

    UnixSignalQuitter signalQuitter;
    UserDefaults defaults(UserDefaults::standardFilePath());
    midi::Client::installBackend(MidiBackendFactory::create(&defaults).backend);
    int result = 0;
    {
        TrayStatusItem statusItem;
        StripTouchBarHost touchBarHost;
        XTestKeySynthesizer escapeKey;
        X11GlobalShortcutService shortcuts;
        XkbKeyboardLayout keyboardLayout;
        AppDelegate delegate(defaults, statusItem, touchBarHost);
        delegate.controls().setKeySynthesizer(&escapeKey);
        QtFileDialogs fileDialogs;
        AppDialogs dialogs(delegate, statusItem, fileDialogs);
        CCSettingsViewController::install(delegate);
        HotKeyCommands hotKeys(delegate, shortcuts, keyboardLayout);
        X11FrontmostApplication frontmost(delegate.applications());
        delegate.setFrontmostApplicationSource(&frontmost);
        QObject::connect(&delegate, &AppDelegate::quitRequested, &application, &QApplication::quit);
        QObject::connect(&application, &QApplication::aboutToQuit, &delegate,
                         &AppDelegate::applicationWillTerminate);
        QObject::connect(&instance, &SingleInstance::showRequested, &delegate, &AppDelegate::presentTouchbar);
        delegate.applicationDidFinishLaunching();
        if (commandLine.showStrip())
            delegate.presentTouchbar();
        result = application.exec();
    }
    // The streams went with the delegate; the MIDI system's clients close while Qt still runs.
    midi::Client::installBackend(nullptr);
    return result;
}
