#include "app/AppDelegate.h"
#include "model/UserDefaults.h"
#include "platform/qt/TrayStatusItem.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stripdeck"));
    QApplication::setDesktopFileName(QStringLiteral("xq.korvane.Stripdeck"));
    QApplication::setQuitOnLastWindowClosed(false);

    UserDefaults defaults(UserDefaults::standardFilePath());
    TrayStatusItem statusItem;
    AppDelegate delegate(defaults, statusItem);
    QObject::connect(&delegate, &AppDelegate::quitRequested, &application, &QApplication::quit);
    delegate.applicationDidFinishLaunching();
    return application.exec();
}
