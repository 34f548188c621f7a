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

class QtFileDialogsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtFileDialogs dialogs;
};

TEST_F(QtFileDialogsTest, SaveOffersXmlFilesAndAddsTheExtension)
{
    QStringList filters;
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        filters = dialog->nameFilters();
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("bar"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(dialogs.saveFileName(), dir.filePath(QStringLiteral("bar.xml")));
    ASSERT_EQ(filters.size(), 1);
    EXPECT_TRUE(filters.first().endsWith(QLatin1String("(*.xml)")));
}

TEST_F(QtFileDialogsTest, OpenReturnsTheChosenFileAndCancelNothing)
{
    QFile existing(dir.filePath(QStringLiteral("saved.xml")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->selectFile(existing.fileName());
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(dialogs.openFileName(), existing.fileName());

    whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    EXPECT_TRUE(dialogs.openFileName().isEmpty());
}

TEST_F(QtFileDialogsTest, ErrorsShowInAMessageBox)
{
    QString shown;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        shown = box->text();
        box->accept();
    });
    dialogs.showError(QStringLiteral("The settings could not be saved."));
    EXPECT_EQ(shown, QStringLiteral("The settings could not be saved."));
}

} // namespace
