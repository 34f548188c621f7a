#include "app/AppDelegate.h"
#include "midi/Client.h"
#include "model/UserDefaults.h"
#include "platform/midi/MidiBackendFactory.h"
#include "platform/qt/TrayStatusItem.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stripdeck"));
    QApplication::setDesktopFileName(QStringLiteral("xq.korvane.Stripdeck"));
    QApplication::setQuitOnLastWindowClosed(false);

    UserDefaults defaults(UserDefaults::standardFilePath());
    midi::Client::installBackend(MidiBackendFactory::create(&defaults).backend);
    int result = 0;
    {
        TrayStatusItem statusItem;
        AppDelegate delegate(defaults, statusItem);
        QObject::connect(&delegate, &AppDelegate::quitRequested, &application, &QApplication::quit);
        delegate.applicationDidFinishLaunching();
        result = application.exec();
    }
    // The streams went with the delegate; the MIDI system's clients close while Qt still runs.
    midi::Client::installBackend(nullptr);
    return result;
}
