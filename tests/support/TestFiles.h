#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs a Python snippet with the file as sys.argv[1] and returns what it printed; the tests
// use Python's plistlib as an independent reader of the files the program writes.
inline QByteArray runPython(const QString &script, const QStringList &arguments)
{
    QProcess python;
    python.start(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + arguments);
    if (!python.waitForFinished(20000) || python.exitCode() != 0)
        return "python failed: " + python.readAllStandardError();
    return python.readAllStandardOutput().trimmed();
}
