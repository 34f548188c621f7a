#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the answer on the modal window of type T as soon as it shows; the dialogs block.
template <typename T> void whenShown(std::function<void(T *)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            answer(window);
        }
    });
    poll->start(10);
}

TEST(QtFileDialogs, SaveAddsTheXmlExtensionOpenReturnsTheChoiceCancelNothingErrorsShow)
{
    QTemporaryDir dir;
    QtFileDialogs dialogs;
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        EXPECT_TRUE(dialog->nameFilters().value(0).endsWith(QLatin1String("(*.xml)")));
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("bar"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString saved = dialogs.saveFileName();
    ASSERT_EQ(saved, dir.filePath(QStringLiteral("bar.xml")));

    QFile(saved).open(QIODevice::WriteOnly);
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->selectFile(saved);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(dialogs.openFileName(), saved);
    whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    EXPECT_TRUE(dialogs.openFileName().isEmpty());

    QString shown;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        shown = box->text();
        box->accept();
    });
    dialogs.showError(QStringLiteral("The settings could not be saved."));
    EXPECT_EQ(shown, QStringLiteral("The settings could not be saved."));
}

} // namespace
