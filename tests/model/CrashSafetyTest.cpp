#include "model/PropertyList.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Kills a process that rewrites the preferences without pause, at random moments, many
// times over. Every time, the file must parse and be one whole write: the payload of the
// previous counter or of the current one, never a mix and never a torn file.
TEST(CrashSafety, KillDuringWritesLeavesAWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prefs.plist"));
    const QString writer = QCoreApplication::applicationDirPath() + QStringLiteral("/prefs_writer");
    auto *random = QRandomGenerator::global();
    for (int round = 0; round < 40; ++round) {
        QProcess process;
        process.start(writer, {path});
        ASSERT_TRUE(process.waitForReadyRead(10000)) << "the writer did not start";
        QThread::usleep(random->bounded(200, 20000));
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished(5000);

        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::optional<QVariant> content = PropertyList::fromData(file.readAll());
        ASSERT_TRUE(content) << "round " << round << ": the file does not parse";
        const QVariantMap map = content->toMap();
        const qint64 counter = map.value(QStringLiteral("counter")).toLongLong();
        const QString sample =
            map.value(QStringLiteral("payload")).toMap().value(QStringLiteral("key199")).toString();
        EXPECT_TRUE(sample == QStringLiteral("value 199 of write %1").arg(counter) ||
                    sample == QStringLiteral("value 199 of write %1").arg(counter + 1))
            << "round " << round << ": counter " << counter << " with payload " << sample.toStdString();
    }
}

} // namespace
