#include "ArdourPeer.h"

#include "../platform/midi/WaitFor.h"
#include "osc/Message.h"
#include "osc/PacketDestination.h"
#include "osc/Parser.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

const QString sessionName = QStringLiteral("stripdeck");
constexpr quint16 ardourOscPort = 3819;

// Makes the session on the engine-less dummy backend, one audio track per name, in order.
const char *const createSessionScript = R"lua(
local dir, name = arg[1], arg[2]
AudioEngine:set_backend("None (Dummy)", "", "")
local s = create_session(dir, name, 48000)
assert(s, "create_session failed")
for i = 3, #arg do
  local tracks = s:new_audio_track(1, 2, nil, 1, "", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
  for t in tracks:iter() do t:set_name(arg[i]) end
end
s:save_state("", false, false, false, false, false)
close_session()
)lua";

class Collector : public osc::PacketDestination {
public:
    explicit Collector(QHash<QString, QVariant> &reported)
        : m_reported(reported)
    {
    }
    // Strip feedback carries the ssid first and the value last.
    void takeMessage(const osc::Message &message) override
    {
        if (message.argumentCount() < 2)
            return;
        const QString key = message.addressPattern() + u' ' + message.argument(0).toString();
        m_reported.insert(key, message.argument(message.argumentCount() - 1));
    }

private:
    QHash<QString, QVariant> &m_reported;
};

// The newest installed Ardour: its library folder holds hardour-<version>.
std::optional<std::pair<int, QString>> installedArdour()
{
    std::optional<std::pair<int, QString>> found;
    const QRegularExpression folder(QStringLiteral("^ardour(\\d+)$"));
    for (const QString &name : QDir(QStringLiteral("/usr/lib")).entryList(QDir::Dirs)) {
        const auto match = folder.match(name);
        if (!match.hasMatch())
            continue;
        const QDir lib(QStringLiteral("/usr/lib/") + name);
        if (lib.entryList({QStringLiteral("hardour-*")}, QDir::Files | QDir::Executable).isEmpty())
            continue;
        const int version = match.captured(1).toInt();
        if (!found || version > found->first)
            found = std::pair{version, lib.path()};
    }
    return found;
}

} // namespace

QString ArdourPeer::missing()
{
    const auto ardour = installedArdour();
    if (!ardour)
        return QStringLiteral("no headless Ardour (hardour) in /usr/lib/ardour*: install the ardour package "
                              "(scripts/bootstrap)");
    const QString lua = QStringLiteral("/usr/bin/ardour%1-lua").arg(ardour->first);
    if (!QFile::exists(lua))
        return QStringLiteral("%1 is missing (part of the ardour package)").arg(lua);
    return {};
}

std::unique_ptr<ArdourPeer> ArdourPeer::start(const QStringList &trackNames, QString *error)
{
    const auto ardour = installedArdour();
    if (!ardour) {
        *error = missing();
        return nullptr;
    }
    std::unique_ptr<ArdourPeer> peer(new ArdourPeer);
    peer->m_version = ardour->first;
    peer->m_libraryDir = ardour->second;
    peer->m_hardour =
        QDir(ardour->second)
            .absoluteFilePath(
                QDir(ardour->second).entryList({QStringLiteral("hardour-*")}, QDir::Files).first());
    peer->m_luaTool = QStringLiteral("/usr/bin/ardour%1-lua").arg(ardour->first);
    if (!peer->createSession(trackNames, error) || !peer->launch(error))
        return nullptr;
    return peer;
}

ArdourPeer::~ArdourPeer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool ArdourPeer::createSession(const QStringList &trackNames, QString *error)
{
    const QString script = m_dir.filePath(QStringLiteral("create.lua"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly) || file.write(createSessionScript) < 0) {
        *error = QStringLiteral("cannot write %1").arg(script);
        return false;
    }
    file.close();
    const QString sessionDir = m_dir.filePath(sessionName);
    QProcess lua;
    lua.setProcessChannelMode(QProcess::MergedChannels);
    lua.start(m_luaTool, QStringList{script, sessionDir, sessionName} + trackNames);
    if (!lua.waitForFinished(120000) || lua.exitCode() != 0) {
        *error = QStringLiteral("%1 did not make the session: %2")
                     .arg(m_luaTool, QString::fromLocal8Bit(lua.readAll().right(2000)));
        return false;
    }
    // Both surfaces are switched on in the session itself, as the Preferences window would.
    QFile session(QDir(sessionDir).filePath(sessionName + QStringLiteral(".ardour")));
    if (!session.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("no session file %1").arg(session.fileName());
        return false;
    }
    QByteArray xml = session.readAll();
    session.close();
    for (const char *protocol : {"Mackie", "Open Sound Control (OSC)"}) {
        const QByteArray off = QByteArray("<Protocol name=\"") + protocol + "\" active=\"0\"/>";
        if (!xml.contains(off)) {
            *error = QStringLiteral("the session has no switch for %1").arg(QLatin1String(protocol));
            return false;
        }
        xml.replace(off, QByteArray("<Protocol name=\"") + protocol + "\" active=\"1\"/>");
    }
    if (!session.open(QIODevice::WriteOnly | QIODevice::Truncate) || session.write(xml) != xml.size()) {
        *error = QStringLiteral("cannot write %1").arg(session.fileName());
        return false;
    }
    return true;
}

// hardour joins the JACK server named in the environment; its surfaces are ready when the
// Mackie ports are there and the OSC surface answers.
bool ArdourPeer::launch(QString *error)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_LIBRARY_PATH"), m_libraryDir);
    environment.insert(QStringLiteral("ARDOUR_DLL_PATH"), m_libraryDir);
    environment.insert(QStringLiteral("ARDOUR_DATA_PATH"),
                       QStringLiteral("/usr/share/ardour%1").arg(m_version));
    environment.insert(QStringLiteral("ARDOUR_CONFIG_PATH"), QStringLiteral("/etc/ardour%1").arg(m_version));
    // A private home keeps the user's Ardour configuration out and ours in the test folder.
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_dir.filePath(QStringLiteral("hardour.log")));
    m_process.start(m_hardour, {m_dir.filePath(sessionName), sessionName});
    if (!m_process.waitForStarted(10000)) {
        *error = QStringLiteral("%1 did not start: %2").arg(m_hardour, m_process.errorString());
        return false;
    }
    if (!m_osc.bind(QHostAddress::LocalHost, 0)) {
        *error = QStringLiteral("no UDP port for Ardour's OSC feedback: %1").arg(m_osc.errorString());
        return false;
    }
    // Surface: all audio tracks, feedback of buttons and values, gain in dB, to our port.
    const bool answered = waitFor(
        [&] {
            if (m_process.state() == QProcess::NotRunning)
                return false;
            sendOsc(QStringLiteral("/set_surface"), {0, 1, 3, 0, 0, 0, int(m_osc.localPort()), 0, 0});
            return waitFor([&] { return reported(QStringLiteral("/strip/name"), 1).has_value(); }, 1000);
        },
        90000);
    if (!answered) {
        QFile log(m_dir.filePath(QStringLiteral("hardour.log")));
        log.open(QIODevice::ReadOnly);
        *error = QStringLiteral("Ardour's OSC surface never answered on UDP %1; hardour said: %2")
                     .arg(ardourOscPort)
                     .arg(QString::fromLocal8Bit(log.readAll().right(3000)));
        return false;
    }
    return true;
}

void ArdourPeer::sendOsc(const QString &address, const QVariantList &arguments)
{
    m_osc.writeDatagram(osc::Message(address, arguments).packetData(), QHostAddress::LocalHost,
                        ardourOscPort);
}

std::optional<QVariant> ArdourPeer::reported(const QString &address, int ssid)
{
    readOsc();
    const auto found = m_reported.constFind(address + u' ' + QString::number(ssid));
    if (found == m_reported.constEnd())
        return std::nullopt;
    return *found;
}

void ArdourPeer::readOsc()
{
    Collector collector(m_reported);
    while (m_osc.hasPendingDatagrams()) {
        QByteArray datagram(qsizetype(m_osc.pendingDatagramSize()), Qt::Uninitialized);
        const qint64 size = m_osc.readDatagram(datagram.data(), datagram.size());
        if (size > 0)
            osc::Parser::processOscData(QByteArrayView(datagram).first(size), &collector, nullptr);
    }
}
