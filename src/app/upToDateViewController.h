#pragma once

#include <QDialog>

class QLabel;

// Tells that the running version is the newest one.
class upToDateViewController : public QDialog {
    Q_OBJECT
public:
    explicit upToDateViewController(const QString &ownVersion, QWidget *parent = nullptr);

    QLabel *infoText() const { return m_infoText; }

private:
    QLabel *m_infoText;
};
