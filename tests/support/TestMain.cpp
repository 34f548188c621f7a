#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Widget tests need an application object; the offscreen platform keeps them off any real
// display unless a test asks for one, and test mode keeps them away from the user's files.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
