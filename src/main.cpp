#include "app/AppDelegate.h"
#include "app/AppDialogs.h"
#include "app/CCSettingsViewController.h"
#include "app/HotKeyCommands.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"
#include "platform/midi/MidiBackendFactory.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/TrayStatusItem.h"
#include "platform/qt/UnixSignalQuitter.h"
#include "platform/touchbar/StripTouchBarHost.h"
#include "platform/x11/X11FrontmostApplication.h"
#include "platform/x11/X11GlobalShortcutService.h"
#include "platform/x11/XTestKeySynthesizer.h"
#include "platform/x11/XkbKeyboardLayout.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stripdeck"));
    QApplication::setDesktopFileName(QStringLiteral("xq.korvane.Stripdeck"));
    QApplication::setQuitOnLastWindowClosed(false);

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
        delegate.applicationDidFinishLaunching();
        result = application.exec();
    }
    // The streams went with the delegate; the MIDI system's clients close while Qt still runs.
    midi::Client::installBackend(nullptr);
    return result;
}
