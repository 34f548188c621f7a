#pragma once

#include "ApplicationChooser.h"

#include <QList>
#include <QPointer>
#include <QVariantList>
#include <QWidget>

class ApplicationCatalog;
class QLabel;
class QPushButton;
class QVBoxLayout;
class UserDefaults;
class appAttachCellView;
class attachViewControllerDelegate;

// The attach window: one row per "Apps" record, stored at every change. The application in
// front is added from here after the user brought it to the front and came back.
class appAttachViewController : public QWidget {
    Q_OBJECT
public:
    appAttachViewController(UserDefaults &defaults, ApplicationCatalog &applications,
                            attachViewControllerDelegate &delegate, QWidget *parent = nullptr);

    // Shown above the rows when the windowing system can't tell which application is in front.
    void setUnavailableReason(const QString &reason);
    QLabel *unavailableLabel() const { return m_unavailableLabel; }

    void updateFrontmost();
    QString frontmostBundleId() const { return m_frontmostBundleId; }
    int numberOfRowsInTableView() const;
    // The table has a single column; this makes the view of one of its rows.
    appAttachCellView *viewForTableColumn(int row);
    void reloadData();
    const QList<appAttachCellView *> &rows() const { return m_rows; }
    QPushButton *addButton() const { return m_addButton; }
    QPushButton *chooseButton() const { return m_chooseButton; }
    // The open chooser, or null.
    ApplicationChooser *chooser() const { return m_chooser; }

    void changeMode(QObject *sender);
    void changeTouchbarNr(QObject *sender);
    void removeApp(QObject *sender);
    void chooseApp();
    void addFrontmost();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QVariantList apps() const;
    void storeApps(const QVariantList &apps);
    void appendRecord(const QString &identifier);
    void chooserFinished(int result);

    UserDefaults &m_defaults;
    ApplicationCatalog &m_applications;
    attachViewControllerDelegate &m_delegate;
    QString m_frontmostBundleId;
    QLabel *m_unavailableLabel;
    QWidget *m_tableView;
    QVBoxLayout *m_tableLayout;
    QPushButton *m_chooseButton;
    QPushButton *m_addButton;
    QList<appAttachCellView *> m_rows;
    QPointer<ApplicationChooser> m_chooser;
};
