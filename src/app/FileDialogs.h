#pragma once

#include <QString>

// The file dialogs of the settings file menu entries and the place their failures are told.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or empty when the user cancelled. Only ".xml" files are offered.
    virtual QString saveFileName() = 0;
    virtual QString openFileName() = 0;
    virtual void showError(const QString &message) = 0;
};
