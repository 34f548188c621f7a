#include "QtFileDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {
const QString settingsFilter = QObject::tr("Touch bar settings (*.xml)");
} // namespace

QString QtFileDialogs::saveFileName()
{
    QFileDialog dialog(nullptr, QObject::tr("Save Touchbar Settings"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog creates no folders: a settings file goes where the user already keeps things.
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setNameFilter(settingsFilter);
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    return run(dialog);
}

QString QtFileDialogs::openFileName()
{
    QFileDialog dialog(nullptr, QObject::tr("Load Touchbar Settings"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(settingsFilter);
    return run(dialog);
}

void QtFileDialogs::showError(const QString &message)
{
    QMessageBox::warning(nullptr, QStringLiteral("Stripdeck"), message);
}

QString QtFileDialogs::run(QFileDialog &dialog)
{
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
