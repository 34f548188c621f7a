#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// The settings windows opened from the status menu. The window of each kind comes from a
// content factory that the window's own code plugs in; until one is plugged in, opening a
// window only announces the request.
class SettingsWindows : public QObject {
    Q_OBJECT
public:
    enum class Kind { Controls, OSC, KeyCommands, Attach };
    Q_ENUM(Kind)
    using ContentFactory = std::function<QWidget *()>;

    using QObject::QObject;
    ~SettingsWindows() override;

    void setContentFactory(Kind kind, ContentFactory factory);
    // A floating window in the middle of the primary screen, closable, resizable only for
    // the attach window.
    void open(Kind kind);
    void close(Kind kind);
    void closeAll();
    bool isOpen(Kind kind) const;
    QWidget *window(Kind kind) const { return m_windows.value(kind); }

Q_SIGNALS:
    void openRequested(SettingsWindows::Kind kind);

private:
    QHash<Kind, ContentFactory> m_factories;
    QHash<Kind, QPointer<QWidget>> m_windows;
};
