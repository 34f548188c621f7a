#include "app/AppDelegate.h"
#include "model/UserDefaults.h"
#include "platform/qt/TrayStatusItem.h"
#include "platform/qt/UnixSignalQuitter.h"
#include "platform/touchbar/StripTouchBarHost.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stripdeck"));
    QApplication::setDesktopFileName(QStringLiteral("xq.korvane.Stripdeck"));
    QApplication::setQuitOnLastWindowClosed(false);

    UnixSignalQuitter signalQuitter;
    UserDefaults defaults(UserDefaults::standardFilePath());
    TrayStatusItem statusItem;
    StripTouchBarHost touchBarHost;
    AppDelegate delegate(defaults, statusItem, touchBarHost);
    QObject::connect(&delegate, &AppDelegate::quitRequested, &application, &QApplication::quit);
    QObject::connect(&application, &QApplication::aboutToQuit, &delegate,
                     &AppDelegate::applicationWillTerminate);
    delegate.applicationDidFinishLaunching();
    return application.exec();
}
