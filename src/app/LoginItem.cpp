#include "LoginItem.h"

#include "DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString fileName = QStringLiteral("xq.korvane.Stripdeck.desktop");

// An Exec value names the program as one argument: a path with characters the launcher would
// split or expand goes in double quotes, with ", `, $ and \ escaped inside them, and the
// backslashes of that escaping escaped once more as any string value's are. A % is doubled.
QString execArgument(const QString &program)
{
    static const QString plain = QStringLiteral("/._+-");
    const bool needsQuotes = std::any_of(program.begin(), program.end(), [](QChar c) {
        return !(c.isLetterOrNumber() && c.unicode() < 128) && !plain.contains(c);
    });
    QString escaped;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\\\");
        else if (c == QLatin1Char('%'))
            escaped += QLatin1Char('%');
        escaped += c;
    }
    return needsQuotes ? QLatin1Char('"') + escaped + QLatin1Char('"') : escaped;
}

} // namespace

LoginItem::LoginItem(const QString &autostartFolder, const QString &program)
    : m_folder(autostartFolder)
    , m_program(program)
{
}

LoginItem LoginItem::standard()
{
    return LoginItem(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/autostart"),
                     QCoreApplication::applicationFilePath());
}

QString LoginItem::filePath() const
{
    return m_folder + QLatin1Char('/') + fileName;
}

bool LoginItem::isEnabled() const
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<DesktopEntry> entry = DesktopEntry::parse(file.read(DesktopEntry::maximumSize));
    return entry && entry->isApplication() && !entry->hidden;
}

bool LoginItem::setEnabled(bool enabled, QString *error)
{
    if (!enabled) {
        QFile file(filePath());
        if (!file.exists() || file.remove())
            return true;
        *error = QStringLiteral("cannot remove %1: %2").arg(filePath(), file.errorString());
        return false;
    }
    QSaveFile file(filePath());
    if (QDir().mkpath(m_folder) && file.open(QIODevice::WriteOnly)) {
        file.write(entryFor(m_program));
        if (file.commit())
            return true;
    }
    *error = QStringLiteral("cannot write %1: %2").arg(filePath(), file.errorString());
    return false;
}

QByteArray LoginItem::entryFor(const QString &program)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Stripdeck\n"
                          "Comment=On-screen MIDI and OSC controller\n"
                          "Exec=%1\n"
                          "Icon=xq.korvane.Stripdeck\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(program))
        .toUtf8();
}
