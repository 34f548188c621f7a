#pragma once

#include "app/FileDialogs.h"

class QFileDialog;

// The settings file dialogs as Qt's file dialogs, run modally, and failures in a message box.
class QtFileDialogs : public FileDialogs {
public:
    QString saveFileName() override;
    QString openFileName() override;
    void showError(const QString &message) override;

private:
    static QString run(QFileDialog &dialog);
};
