#pragma once

#include <QString>
#include <QStringList>

// What the program was asked for on its command line. It is read before the application
// object exists, so that --version and --help answer without a display, a window or a MIDI port.
class CommandLine {
public:
    enum class Action { Run, PrintVersion, PrintHelp, Fail };

    // The arguments after the program's name. Single-dash options (-platform, -display, ...)
    // belong to Qt and are left for it.
    static CommandLine parse(const QStringList &arguments);

    Action action() const { return m_action; }
    // Show the strip as soon as the program has started.
    bool showStrip() const { return m_showStrip; }
    // What to print: the version or the help on standard output, the complaint on standard error.
    QString text() const { return m_text; }
    // The process's exit status for an action that ends the program here.
    int exitCode() const { return m_action == Action::Fail ? 2 : 0; }

    static QString helpText();

private:
    Action m_action = Action::Run;
    bool m_showStrip = false;
    QString m_text;
};
