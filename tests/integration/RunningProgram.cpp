#include "RunningProgram.h"

#include "model/PropertyList.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <cmath>

namespace {

constexpr int launchMs = 20000;

QStringList visibleWindows(const QStringList &criteria)
{
    QStringList command{"xdotool", "search", "--onlyvisible"};
    command << criteria;
    return runCommand(command).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList windowsNamed(const QString &title)
{
    return visibleWindows({"--name", QLatin1Char('^') + title + QLatin1Char('$')});
}

// Every visible window of the program: its buttons, the strip and its pop-up menus.
QStringList programWindows()
{
    return visibleWindows({"--classname", "^stripdeck$"});
}

QRect windowGeometry(const QString &window)
{
    const QString shell = runCommand({"xdotool", "getwindowgeometry", "--shell", window});
    const auto value = [&shell](const char *name) {
        return QRegularExpression(QString("\\b%1=(-?\\d+)").arg(QLatin1String(name)))
            .match(shell)
            .captured(1)
            .toInt();
    };
    return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
}

void xdotool(const QStringList &arguments)
{
    runCommand(QStringList{"xdotool"} + arguments);
}

} // namespace

bool poll(const std::function<bool()> &condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

QString runCommand(const QStringList &command, int milliseconds)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(milliseconds))
        process.kill();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString RunningProgram::missingServices(Midi midi)
{
    if (qEnvironmentVariableIsEmpty("STRIPDECK_TEST_SERVICES") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return midi == Midi::Jack ? "needs the X and JACK servers of scripts/with-test-services"
                                  : "needs the X server of scripts/with-test-services (scripts/alsa-tests)";
    const QStringList jackTools{"jack_lsp", "jack_connect", "jack_midi_dump", "oscdump"};
    const QStringList alsaTools{"aconnect", "aseqdump", "amidi"};
    for (const QString &tool :
         QStringList{"xdotool", "import"} + (midi == Midi::Jack ? jackTools : alsaTools)) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QString("%1 is not installed (scripts/bootstrap)").arg(tool);
    }
    if (midi == Midi::Alsa && runCommand({"aconnect", "-l"}).isEmpty())
        return "no ALSA sequencer here (scripts/alsa-tests runs these tests in a guest that has one)";
    if (midi == Midi::Jack && runCommand({"jack_lsp"}).isEmpty())
        return "no JACK server answers";
    return {};
}

RunningProgram::RunningProgram(const QVariantMap &preferences, Midi midi)
    : m_midi(midi)
{
    const QString config = m_home.filePath("config");
    QDir().mkpath(config + "/stripdeck");
    if (!preferences.isEmpty()) {
        QFile file(config + "/stripdeck/xq.korvane.Stripdeck.plist");
        if (file.open(QIODevice::WriteOnly))
            file.write(PropertyList::toXml(preferences));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", m_home.path());
    environment.insert("XDG_CONFIG_HOME", config);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("STRIPDECK_MIDI_BACKEND", midi == Midi::Jack ? "jack" : "alsa");
    m_program.setProcessEnvironment(environment);
    m_program.setProcessChannelMode(QProcess::ForwardedChannels);
}

RunningProgram::~RunningProgram()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished();
    }
}

bool RunningProgram::start(QString *error, const QStringList &arguments)
{
    const auto fail = [error](const QString &reason) {
        *error = reason;
        return false;
    };
    if (!windowsNamed("Stripdeck Touch Bar").isEmpty())
        return fail("a strip of another program is on the screen already");
    m_program.start(QStringLiteral(STRIPDECK_PROGRAM), arguments);
    if (!m_program.waitForStarted())
        return fail("the program did not start: " + m_program.errorString());
    if (!poll([this] { return midiPortsUp(); }, launchMs))
        return fail("the program's MIDI ports never appeared");
    if (!poll([] { return windowsNamed("Stripdeck").size() == 1; }, launchMs))
        return fail("the status button never appeared");
    m_statusButton = windowsNamed("Stripdeck").first();
    return true;
}

bool RunningProgram::midiPortsUp() const
{
    if (m_midi == Midi::Jack) {
        const QString ports = runCommand({"jack_lsp"});
        return ports.contains("Stripdeck User:out") && ports.contains("Stripdeck Surface:in");
    }
    // Each name is a readable and a writable port; aconnect -o lists the writable ones.
    const QString writable = runCommand({"aconnect", "-o"});
    return runCommand({"aconnect", "-i"}).contains("'Stripdeck User") &&
           writable.contains("'Stripdeck Surface");
}

bool RunningProgram::stop(QString *failure)
{
    // An end that came before SIGTERM, a hang, a crash or a status other than 0 all fail.
    const bool endedBefore = m_program.waitForFinished(0) || m_program.state() == QProcess::NotRunning;
    m_program.terminate();
    const bool clean = m_program.waitForFinished(10000) && !endedBefore &&
                       m_program.exitStatus() == QProcess::NormalExit && m_program.exitCode() == 0;
    if (failure)
        *failure = QString("ended before: %1, exit status %2, code %3")
                       .arg(endedBefore)
                       .arg(m_program.exitStatus())
                       .arg(m_program.exitCode());
    return clean;
}

int RunningProgram::startAgain(const QStringList &arguments, QByteArray *output)
{
    QProcess again;
    again.setProcessEnvironment(m_program.processEnvironment());
    again.setProcessChannelMode(QProcess::MergedChannels);
    again.start(QStringLiteral(STRIPDECK_PROGRAM), arguments);
    const bool ended = again.waitForFinished(launchMs);
    if (!ended)
        again.kill();
    *output = again.readAll();
    return ended && again.exitStatus() == QProcess::NormalExit ? again.exitCode() : -1;
}

void RunningProgram::crash()
{
    m_program.kill();
    m_program.waitForFinished();
}

bool RunningProgram::chooseMenuEntry(int stepsDown)
{
    const QStringList before = programWindows();
    const QRect button = windowGeometry(m_statusButton);
    xdotool({"mousemove", QString::number(button.center().x()), QString::number(button.center().y()), "click",
             "1"});
    // The menu is a window of its own; keys typed before it maps would go nowhere.
    QStringList menu;
    const bool opened = poll(
        [&] {
            menu = programWindows();
            for (const QString &window : before)
                menu.removeAll(window);
            return !menu.isEmpty();
        },
        5000);
    if (!opened)
        return false;
    QStringList keys{"key"};
    for (int i = 0; i < stepsDown; ++i)
        keys << "Down";
    keys << "Return";
    xdotool(keys);
    return poll([&] { return !programWindows().contains(menu.first()); }, 5000);
}

bool RunningProgram::waitForStrip()
{
    const bool shown = poll([] { return windowsNamed("Stripdeck Touch Bar").size() == 1; }, 10000);
    if (shown)
        m_stripGeometry = windowGeometry(windowsNamed("Stripdeck Touch Bar").first());
    return shown && m_stripGeometry.height() > 0;
}

QPoint RunningProgram::screenPoint(const QPointF &points) const
{
    const qreal scale = pointScale();
    return m_stripGeometry.topLeft() +
           QPoint(int(std::floor(points.x() * scale)), int(std::floor(points.y() * scale)));
}

void RunningProgram::click(const QPointF &points)
{
    const QPoint at = screenPoint(points);
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

void RunningProgram::drag(const QPointF &from, const QPointF &to, int steps)
{
    const QPoint start = screenPoint(from);
    QStringList arguments{"mousemove", QString::number(start.x()), QString::number(start.y()), "mousedown",
                          "1"};
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = screenPoint(from + (to - from) * qreal(step) / qreal(steps));
        // A short pause per step lets each move arrive as an event of its own.
        arguments << "sleep"
                  << "0.03"
                  << "mousemove" << QString::number(at.x()) << QString::number(at.y());
    }
    arguments << "sleep"
              << "0.05"
              << "mouseup"
              << "1";
    xdotool(arguments);
}

QImage RunningProgram::screenshot() const
{
    QProcess import;
    import.start("import", {"-window", "root", "png:-"});
    import.waitForFinished(20000);
    return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

QColor RunningProgram::pixel(const QImage &screen, const QPointF &points) const
{
    return screen.pixelColor(screenPoint(points));
}

bool RunningProgram::waitForScreen(const std::function<bool(const QImage &)> &condition,
                                   int milliseconds) const
{
    return poll([&] { return condition(screenshot()); }, milliseconds);
}
