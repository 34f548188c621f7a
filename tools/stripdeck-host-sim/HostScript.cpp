#include "HostScript.h"

#include "ScriptArguments.h"
#include "SurfaceEncoder.h"

#include <QHash>

namespace {

using ScriptArguments::number;
using ScriptArguments::position;
using ScriptArguments::rawBytes;
using ScriptArguments::switchValue;

const QHash<QString, int> &switchControllers()
{
    static const QHash<QString, int> controllers{
        {QStringLiteral("solo"), 1},        {QStringLiteral("mute"), 2},
        {QStringLiteral("has-device"), 3},  {QStringLiteral("device-on"), 11},
        {QStringLiteral("color-mode"), 28}, {QStringLiteral("button-mode"), 29},
        {QStringLiteral("bank-mode"), 30},
    };
    return controllers;
}

const QHash<QString, SurfaceEncoder::Text> &textCommands()
{
    static const QHash<QString, SurfaceEncoder::Text> commands{
        {QStringLiteral("track-name"), SurfaceEncoder::Text::TrackName},
        {QStringLiteral("send-name"), SurfaceEncoder::Text::SendName},
        {QStringLiteral("device-name"), SurfaceEncoder::Text::DeviceName},
        {QStringLiteral("pan-name"), SurfaceEncoder::Text::PanName},
        {QStringLiteral("param-name"), SurfaceEncoder::Text::ParameterName},
    };
    return commands;
}

bool indexed(SurfaceEncoder::Text command)
{
    return command == SurfaceEncoder::Text::SendName || command == SurfaceEncoder::Text::ParameterName;
}

} // namespace

std::optional<QByteArray> HostScript::nativeMessage(const QStringList &w)
{
    const QString &command = w.first();
    const auto argument = [&](qsizetype i) { return w.value(i); };
    if (auto text = textCommands().find(command); text != textCommands().end()) {
        const bool withIndex = indexed(*text);
        if (w.size() != (withIndex ? 3 : 2))
            return std::nullopt;
        const auto index = withIndex ? number(argument(1), 0, 127) : std::optional<int>(0);
        if (!index)
            return std::nullopt;
        return SurfaceEncoder::text(*text, *index, argument(withIndex ? 2 : 1));
    }
    if (command == QLatin1String("track-color") || command == QLatin1String("device-color")) {
        const auto r = number(argument(1), 0, 127), g = number(argument(2), 0, 127),
                   b = number(argument(3), 0, 127);
        if (w.size() != 4 || !r || !g || !b)
            return std::nullopt;
        const auto which =
            command.startsWith(u't') ? SurfaceEncoder::Colour::Track : SurfaceEncoder::Colour::Device;
        return SurfaceEncoder::colour(which, *r, *g, *b);
    }
    if (command == QLatin1String("fader") || command == QLatin1String("strip-fader")) {
        const bool bank = command == QLatin1String("fader");
        const auto index = number(argument(1), 0, bank ? 7 : 5);
        const auto value = position(argument(2));
        if (w.size() != 3 || !index || !value)
            return std::nullopt;
        return SurfaceEncoder::faderPosition((bank ? 9 : 1) + *index, *value);
    }
    if (command == QLatin1String("param-type")) {
        const auto index = number(argument(1), 0, 7);
        const auto value = number(argument(2), 0, 127);
        if (w.size() != 3 || !index || !value)
            return std::nullopt;
        return SurfaceEncoder::control(20 + *index, *value);
    }
    if (command == QLatin1String("bank")) {
        const auto value = number(argument(1), 0, 127);
        if (w.size() != 2 || !value)
            return std::nullopt;
        return SurfaceEncoder::control(31, *value);
    }
    if (switchControllers().contains(command)) {
        const auto value = switchValue(argument(1));
        if (w.size() != 2 || !value)
            return std::nullopt;
        return SurfaceEncoder::control(switchControllers().value(command), *value);
    }
    if (command == QLatin1String("raw"))
        return rawBytes(w);
    return std::nullopt;
}

std::optional<QList<HostScript::Step>> HostScript::parse(const QString &script, QString *error,
                                                         const Commands &commands)
{
    QList<Step> steps;
    const QStringList lines = script.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString problem;
        const auto step = parseLine(lines[i], &problem, commands);
        if (!problem.isEmpty()) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(problem);
            return std::nullopt;
        }
        if (step)
            steps.append(*step);
    }
    return steps;
}

// Nothing and no error for a blank or comment line.
std::optional<HostScript::Step> HostScript::parseLine(const QString &line, QString *error,
                                                      const Commands &commands)
{
    const auto w = words(line);
    if (!w) {
        *error = QStringLiteral("unterminated quote");
        return std::nullopt;
    }
    if (w->isEmpty())
        return std::nullopt;
    Step step;
    if (w->first() == QLatin1String("wait")) {
        const auto milliseconds = number(w->value(1), 0, 3600 * 1000);
        if (w->size() == 2 && milliseconds) {
            step.waitMilliseconds = *milliseconds;
            return step;
        }
    } else if (const auto bytes = (commands ? commands : nativeMessage)(*w)) {
        step.messages.append(*bytes);
        return step;
    }
    *error = QStringLiteral("cannot read \"%1\"").arg(line.trimmed());
    return std::nullopt;
}

std::optional<QStringList> HostScript::words(const QString &line)
{
    QStringList result;
    QString current;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'\\' && i + 1 < line.size())
                current.append(line[++i]);
            else if (c == u'"')
                quoted = false;
            else
                current.append(c);
        } else if (c == u'"') {
            quoted = inWord = true;
        } else if (c == u'#') {
            break;
        } else if (c.isSpace()) {
            if (inWord)
                result.append(current);
            current.clear();
            inWord = false;
        } else {
            current.append(c);
            inWord = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inWord)
        result.append(current);
    return result;
}
