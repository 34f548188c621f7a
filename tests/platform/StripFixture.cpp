// Presents a strip whose items are solid placeholders, for tests that look at it from outside:
// the arguments are the bar's item identifiers (those containing "unknown" get no item). Prints
// the window id, the scale and each item frame in points, then runs until it is terminated.
#include "PlaceholderItemFactory.h"
#include "platform/touchbar/StripTouchBarHost.h"
#include "platform/touchbar/StripWindow.h"
#include "platform/touchbar/TouchBar.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stripdeck"));
    QStringList identifiers = QApplication::arguments().mid(1);

    PlaceholderItemFactory factory;
    for (const QString &identifier : identifiers) {
        if (identifier.contains(QLatin1String("unknown")))
            factory.unknown.append(identifier);
    }
    TouchBar bar(&factory);
    StripTouchBarHost host;
    host.setContent(&bar, {}, identifiers);
    host.present(&bar);

    QTimer::singleShot(0, [&host] {
        QTextStream out(stdout);
        out << "window " << host.window()->winId() << " scale " << host.window()->scale() << '\n';
        for (const QRectF &frame : host.window()->itemFrames())
            out << "frame " << frame.x() << ' ' << frame.width() << '\n';
        out << "ready" << Qt::endl;
    });
    return application.exec();
}
