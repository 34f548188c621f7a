#pragma once

#include "platform/touchbar/TouchBar.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class TouchBarHost;
class TouchBarTemplates;

// Which touch bar is shown and how it changes: the one presented bar takes over the content
// of a user touch bar, of the channel strip group in control-surface mode, or of a popped-up
// group, and every item is made anew whenever that content is shown.
class Presentation : public QObject {
    Q_OBJECT
public:
    static constexpr int noUserTouchbar = -1;
    static constexpr int reloadDelayMs = 10;

    // What to return to when an attached application loses the front.
    struct LastState {
        bool lastTouchbarShown = false;
        bool lastControlSurfadeMode = false;
        int lastUserTouchbarNumber = 0;
        bool lastRegistered = false;
    };

    Presentation(TouchBarHost &host, TouchBarTemplates &templates, QObject *parent = nullptr);

    void buildUserTouchbars();
    const QList<TouchBar *> &allUserTouchbars() const { return m_allUserTouchbars; }

    int userTouchbarNumber() const { return m_userTouchbarNumber; }
    // Numbers outside -1 ... 8 are ignored: they name no touch bar.
    void setUserTouchbarNumber(int number);
    bool controlSurfadeMode() const { return m_controlSurfadeMode; }
    void setControlSurfadeMode(bool on) { m_controlSurfadeMode = on; }
    bool touchbarShown() const { return m_touchbarShown; }
    TouchBar *currentRootTouchbar() const { return m_currentRootTouchbar; }
    QString lastCreatedBar() const { return m_lastCreatedBar; }
    // The touch bar of the open popover, or null.
    TouchBar *currentPopOver() const { return m_currentPopOver; }
    void setLastCreatedBar(const QString &identifier) { m_lastCreatedBar = identifier; }
    bool editCCs() const { return m_editCCs; }
    void setEditCCs(bool editing) { m_editCCs = editing; }
    bool editTouchBar() const { return m_editTouchBar; }
    void setEditTouchBar(bool editing) { m_editTouchBar = editing; }
    bool isEditing() const { return m_editCCs || m_editTouchBar; }
    LastState &lastState() { return m_lastState; }
    // Keeps the state to return to, unless it is kept already.
    void rememberState();

    void toggleTouchbar();
    // Shows the strip unless it is shown already (or an editor holds it).
    void presentTouchbar();
    void changeMode();
    void showTouchbar(TouchBar *bar);
    void openTouchbar(TouchBar *bar, const QString &trayItemIdentifier);
    void closeTouchbar(TouchBar *bar);
    void openPopUp(TouchBar *bar, const QString &identifier);
    void closePopUp();
    void reloadTouchbar();
    void loadTouchbar();

Q_SIGNALS:
    // After a touch bar was presented (true) or dismissed (false).
    void touchbarShownChanged(bool shown);

private:
    TouchBar *rootTemplate() const;

    TouchBarHost &m_host;
    TouchBarTemplates &m_templates;
    QList<TouchBar *> m_allUserTouchbars;
    int m_userTouchbarNumber = noUserTouchbar;
    bool m_controlSurfadeMode = false;
    bool m_touchbarShown = false;
    QPointer<TouchBar> m_currentRootTouchbar;
    QString m_lastCreatedBar;
    QPointer<TouchBar> m_currentPopOver;
    QString m_customizationIdentifier;
    QStringList m_defaultItemIdentifiers;
    // A reload is waiting to put the saved content back; a second reload keeps that content
    // instead of saving the empty one it finds.
    bool m_loadPending = false;
    bool m_editCCs = false;
    bool m_editTouchBar = false;
    LastState m_lastState;
};
