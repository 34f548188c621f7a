#pragma once

#include <QObject>
#include <QString>

// Which application is in front, as the windowing system reports it. Identifiers are those of
// ApplicationCatalog; this program's own windows report the program's own identifier.
class FrontmostApplicationSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Empty while no application is known to be in front.
    virtual QString frontmostApplication() const = 0;
    // False where the windowing system does not tell which application is in front.
    virtual bool isAvailable() const = 0;
    // Why it is not available, for the user.
    virtual QString unavailableReason() const = 0;

Q_SIGNALS:
    // Another application came to the front; a window of the same application does not count.
    void didActivateApplication(const QString &identifier);
};
