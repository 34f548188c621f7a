#pragma once

#include <QDialog>

class ApplicationCatalog;
class QListWidget;

// Picks one of the installed applications, listed by name with their icons.
class ApplicationChooser : public QDialog {
    Q_OBJECT
public:
    explicit ApplicationChooser(const ApplicationCatalog &applications, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // The chosen application's identifier; empty while none is selected.
    QString chosenIdentifier() const;

private:
    QListWidget *m_list;
};
