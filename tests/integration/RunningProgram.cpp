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

QStringList visibleWindows(const QStringList &criteria)
{
    QStringList command{QStringLiteral("xdotool"), QStringLiteral("search"), QStringLiteral("--onlyvisible")};
    command << criteria;
    return runCommand(command).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList windowsNamed(const QString &title)
{
    return visibleWindows({QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')});
}

// Every visible window of the program: its buttons, the strip and its pop-up menus.
QStringList programWindows()
{
    return visibleWindows({QStringLiteral("--classname"), QStringLiteral("^stripdeck$")});
}

QRect windowGeometry(const QString &window)
{
    const QString shell = runCommand(
        {QStringLiteral("xdotool"), QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    const auto value = [&shell](const char *name) {
        return QRegularExpression(QStringLiteral("\\b%1=(-?\\d+)").arg(QLatin1String(name)))
            .match(shell)
            .captured(1)
            .toInt();
    };
    return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
}

void xdotool(const QStringList &arguments)
{
    runCommand(QStringList{QStringLiteral("xdotool")} + arguments);
}

} // namespace

QString runCommand(const QStringList &command, int milliseconds)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(milliseconds))
        process.kill();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString RunningProgram::missingServices()
{
    if (qEnvironmentVariableIsEmpty("STRIPDECK_TEST_SERVICES") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("needs the X and JACK servers of scripts/with-test-services");
    for (const char *tool : {"xdotool", "import", "jack_lsp", "jack_connect", "jack_midi_dump", "oscdump"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (scripts/bootstrap)").arg(QLatin1String(tool));
    }
    if (runCommand({QStringLiteral("jack_lsp")}).isEmpty())
        return QStringLiteral("no JACK server answers");
    return {};
}

RunningProgram::RunningProgram(const QVariantMap &preferences)
{
    const QString config = m_home.filePath(QStringLiteral("config"));
    QDir().mkpath(config + QStringLiteral("/stripdeck"));
    if (!preferences.isEmpty()) {
        QFile file(config + QStringLiteral("/stripdeck/xq.korvane.Stripdeck.plist"));
        if (file.open(QIODevice::WriteOnly))
            file.write(PropertyList::toXml(preferences));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("STRIPDECK_MIDI_BACKEND"), QStringLiteral("jack"));
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

bool RunningProgram::start(QString *error)
{
    if (!windowsNamed(QStringLiteral("Stripdeck Touch Bar")).isEmpty()) {
        *error = QStringLiteral("a strip of another program is on the screen already");
        return false;
    }
    m_program.start(QStringLiteral(STRIPDECK_PROGRAM), {});
    if (!m_program.waitForStarted()) {
        *error = QStringLiteral("the program did not start: ") + m_program.errorString();
        return false;
    }
    const bool ports = poll(
        [] {
            const QString ports = runCommand({QStringLiteral("jack_lsp")});
            return ports.contains(QLatin1String("Stripdeck User:out")) &&
                   ports.contains(QLatin1String("Stripdeck Surface:in"));
        },
        launchMs);
    if (!ports) {
        *error = QStringLiteral("the program's JACK ports never appeared");
        return false;
    }
    if (!poll([] { return windowsNamed(QStringLiteral("Stripdeck")).size() == 1; }, launchMs)) {
        *error = QStringLiteral("the status button never appeared");
        return false;
    }
    m_statusButton = windowsNamed(QStringLiteral("Stripdeck")).first();
    return true;
}

bool RunningProgram::stop(QString *failure)
{
    QString how;
    // Picks up an end that came before without anyone waiting for it.
    m_program.waitForFinished(0);
    if (m_program.state() == QProcess::NotRunning) {
        how = QStringLiteral("it had ended before, %1 %2")
                  .arg(m_program.exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed by signal")
                                                                     : QStringLiteral("with status"))
                  .arg(m_program.exitCode());
    } else {
        m_program.terminate();
        if (!m_program.waitForFinished(10000))
            how = QStringLiteral("it was still running 10 s after SIGTERM");
        else if (m_program.exitStatus() == QProcess::CrashExit)
            how = QStringLiteral("it crashed on SIGTERM");
        else if (m_program.exitCode() != 0)
            how = QStringLiteral("it left with status %1").arg(m_program.exitCode());
    }
    if (failure)
        *failure = how;
    return how.isEmpty();
}

bool RunningProgram::chooseMenuEntry(int stepsDown)
{
    const QStringList before = programWindows();
    const QRect button = windowGeometry(m_statusButton);
    xdotool({QStringLiteral("mousemove"), QString::number(button.center().x()),
             QString::number(button.center().y()), QStringLiteral("click"), QStringLiteral("1")});
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
    QStringList keys{QStringLiteral("key")};
    for (int i = 0; i < stepsDown; ++i)
        keys << QStringLiteral("Down");
    keys << QStringLiteral("Return");
    xdotool(keys);
    return poll([&] { return !programWindows().contains(menu.first()); }, 5000);
}

bool RunningProgram::waitForStrip()
{
    const bool shown =
        poll([] { return windowsNamed(QStringLiteral("Stripdeck Touch Bar")).size() == 1; }, 10000);
    if (shown)
        m_stripGeometry = windowGeometry(windowsNamed(QStringLiteral("Stripdeck Touch Bar")).first());
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
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

void RunningProgram::drag(const QPointF &from, const QPointF &to, int steps)
{
    const QPoint start = screenPoint(from);
    QStringList arguments{QStringLiteral("mousemove"), QString::number(start.x()), QString::number(start.y()),
                          QStringLiteral("mousedown"), QStringLiteral("1")};
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = screenPoint(from + (to - from) * qreal(step) / qreal(steps));
        // A short pause per step lets each move arrive as an event of its own.
        arguments << QStringLiteral("sleep") << QStringLiteral("0.03") << QStringLiteral("mousemove")
                  << QString::number(at.x()) << QString::number(at.y());
    }
    arguments << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mouseup")
              << QStringLiteral("1");
    xdotool(arguments);
}

QImage RunningProgram::screenshot() const
{
    QProcess import;
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
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
