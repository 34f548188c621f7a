#pragma once

#include "AppDelegateTestSupport.h"
#include "app/AppDialogs.h"
#include "app/FileDialogs.h"

#include <QAbstractButton>
#include <QTest>
#include <QWidget>

// Answers the file dialogs with prepared paths and keeps the errors it was asked to show.
class ScriptedFileDialogs : public FileDialogs {
public:
    QString savePath;
    QString openPath;
    QStringList errors;
    int asked = 0;
    QString saveFileName() override { return ++asked, savePath; }
    QString openFileName() override { return ++asked, openPath; }
    void showError(const QString &message) override { errors.append(message); }
};

// The application controller with the dialogs plugged in before it launches.
class DialogsFixture : public AppDelegateFixture {
protected:
    ScriptedFileDialogs files;
    AppDialogs dialogs{app, statusItem, files};
};

// Runs the event loop until the condition holds or the time is up. (Qt's QTRY_ macros report
// to QtTest, which a GoogleTest program never reads: their failures would pass unseen.)
template <typename Condition> bool eventually(Condition condition, int timeoutMs = 5000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

// Clicks the button of a window with this caption; false when it has none.
inline bool clickButton(QWidget *window, const QString &caption)
{
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (button->text() == caption) {
            button->click();
            return true;
        }
    }
    return false;
}
