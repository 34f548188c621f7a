// Writes the preferences in a tight loop until it is killed. Each write holds a counter and
// a payload derived from it, so a reader can tell a whole file from a torn one.
#include "model/UserDefaults.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2)
        return 2;
    UserDefaults store(QString::fromLocal8Bit(argv[1]));
    for (qint64 counter = store.integerForKey(QStringLiteral("counter")) + 1;; ++counter) {
        QVariantMap payload;
        for (int i = 0; i < 200; ++i)
            payload.insert(QStringLiteral("key%1").arg(i),
                           QStringLiteral("value %1 of write %2").arg(i).arg(counter));
        store.setObject(payload, QStringLiteral("payload"));
        store.setObject(counter, QStringLiteral("counter"));
        if (counter % 10 == 1) {
            std::fputs("writing\n", stdout);
            std::fflush(stdout);
        }
    }
}
