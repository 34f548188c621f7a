#pragma once

#include "ApplicationCatalog.h"
#include "FrontmostApplicationSource.h"
#include "appAttachViewController.h"

#include <QObject>
#include <QPointer>

class Presentation;
class UserDefaults;
class attachViewControllerDelegate;

// Shows the touch bar an attached application asks for while that application is in front,
// and returns to the state from before when a non-attached one comes to the front.
class ApplicationAttachment : public QObject {
    Q_OBJECT
public:
    static const QString ownIdentifier;

    ApplicationAttachment(UserDefaults &defaults, Presentation &presentation, QObject *parent = nullptr);
    // The window goes without telling its delegate, which is being torn down as well.
    ~ApplicationAttachment() override;

    ApplicationCatalog &applications() { return m_applications; }
    // Not owned. The frontmost application from now on is the source's, and each one it reports
    // is checked.
    void setSource(FrontmostApplicationSource *source);
    FrontmostApplicationSource *source() const { return m_source; }
    // The last application in front other than this program.
    QString frontmostIdentifier() const { return m_frontmostIdentifier; }

    // At launch: the last record of the application in front is applied once.
    void attachFrontmostApplication();
    void checkFrontmostApplication(const QString &frontmost);

    // A new attach window; it lives until it is closed.
    QWidget *makeAttachWindow(attachViewControllerDelegate &delegate);
    appAttachViewController *attachViewController() const { return m_attachViewController; }

private:
    struct Wanted {
        bool shown;
        bool mode;
        int number;
    };
    void bringTo(const Wanted &wanted);

    UserDefaults &m_defaults;
    Presentation &m_presentation;
    ApplicationCatalog m_applications;
    QPointer<FrontmostApplicationSource> m_source;
    QString m_frontmostIdentifier;
    QPointer<appAttachViewController> m_attachViewController;
};
