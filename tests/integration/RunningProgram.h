#pragma once

#include <QImage>
#include <QPointF>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <functional>

// The real program as a user meets it on the X server and JACK server of
// scripts/with-test-services: started with a private home whose preferences the test prepared,
// driven through its status button and menu and by mouse input on the strip, looked at through
// screenshots of the screen, and stopped as the desktop would stop it.
//
// Positions on the strip are in points of its 1085 x 30 row, origin at the top left.
class RunningProgram {
public:
    // The MIDI system the program runs on: the JACK server of the test services, or the ALSA
    // sequencer (of this machine or of the guest scripts/alsa-tests starts).
    enum class Midi { Jack, Alsa };

    // What the tests need and this machine lacks; empty when everything is there.
    static QString missingServices(Midi midi = Midi::Jack);

    explicit RunningProgram(const QVariantMap &preferences = {}, Midi midi = Midi::Jack);
    ~RunningProgram();
    RunningProgram(const RunningProgram &) = delete;
    RunningProgram &operator=(const RunningProgram &) = delete;

    // Starts the program and waits for its MIDI ports and its status button; error says what
    // never came.
    bool start(QString *error, const QStringList &arguments = {});
    // SIGTERM, as a session ending; true when the program left cleanly with status 0. Otherwise
    // failure says how it ended (a crash before, a hang, a status).
    bool stop(QString *failure = nullptr);

    // Starts the program once more, as a user would while it runs, and waits for that start to
    // end: its exit code (-1 for a crash or a hang) and what it printed.
    int startAgain(const QStringList &arguments, QByteArray *output);
    // SIGKILL: the program gets no chance to tidy up.
    void crash();

    // Opens the status menu and takes the entry that many steps below the title line.
    bool chooseMenuEntry(int stepsDown);
    bool showStrip() { return chooseMenuEntry(1) && waitForStrip(); }
    bool changeMode() { return chooseMenuEntry(2) && waitForStrip(); }
    bool waitForStrip();

    // Scale and placement of the strip window as the X server reports them.
    qreal pointScale() const { return m_stripGeometry.height() / stripHeight; }
    QPoint screenPoint(const QPointF &points) const;

    void click(const QPointF &points);
    // Presses at from, moves there in even steps, releases at to.
    void drag(const QPointF &from, const QPointF &to, int steps);

    // The whole screen as it is now.
    QImage screenshot() const;
    QColor pixel(const QImage &screen, const QPointF &points) const;
    // Polls screenshots until the condition holds for one of them; false at the deadline.
    bool waitForScreen(const std::function<bool(const QImage &)> &condition, int milliseconds = 10000) const;

    static constexpr qreal stripHeight = 30.0;

private:
    bool midiPortsUp() const;

    Midi m_midi;
    QTemporaryDir m_home;
    QProcess m_program;
    QString m_statusButton;
    QRect m_stripGeometry;
};

// Checks the condition every 100 ms until it holds; false at the deadline.
bool poll(const std::function<bool()> &condition, int milliseconds);
// Runs a command and answers its standard output, trimmed.
QString runCommand(const QStringList &command, int milliseconds = 20000);
