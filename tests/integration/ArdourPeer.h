#pragma once

#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QVariant>

#include <memory>
#include <optional>

// A headless Ardour from Debian's package on the JACK server of the tests: a session made by
// its Lua tool with the tracks asked for, Mackie Control and OSC switched on, played by
// hardour. Its OSC surface reports every strip's gain, mute, solo, selection and name to this
// object. The installed version is found by its files (ardour7, ardour8, …).
class ArdourPeer {
public:
    // What this machine lacks to run it; empty when everything is there.
    static QString missing();
    // Nothing when the session or Ardour did not come up; error then says why.
    static std::unique_ptr<ArdourPeer> start(const QStringList &trackNames, QString *error);
    ~ArdourPeer();

    QString mackieInput() const { return QStringLiteral("ardour:mackie control in"); }
    QString mackieOutput() const { return QStringLiteral("ardour:mackie control out"); }

    void sendOsc(const QString &address, const QVariantList &arguments);
    // The last value Ardour reported for an address of a strip (ssid from 1), e.g.
    // ("/strip/gain", 2); reads what has arrived first.
    std::optional<QVariant> reported(const QString &address, int ssid);

private:
    ArdourPeer() = default;
    bool createSession(const QStringList &trackNames, QString *error);
    bool launch(QString *error);
    void readOsc();

    QString m_libraryDir;
    QString m_hardour;
    QString m_luaTool;
    int m_version = 0;
    QTemporaryDir m_dir;
    QProcess m_process;
    QUdpSocket m_osc;
    QHash<QString, QVariant> m_reported;
};
