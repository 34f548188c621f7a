#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The keys of a desktop entry's main group that locate and identify an application.
struct DesktopEntry {
    // Desktop files are small; anything longer is not read past this many bytes.
    static constexpr qsizetype maximumSize = 256 * 1024;

    QString type;
    // The untranslated name, replaced by the translation for the locale when there is one.
    QString name;
    QString icon;
    QString startupWMClass;
    bool noDisplay = false;
    bool hidden = false;

    bool isApplication() const { return type == QLatin1String("Application"); }

    // Reads the "Desktop Entry" group of a desktop file; nothing when the file has no such
    // group. Unreadable lines are skipped, the first value of a repeated key is kept, and the
    // locale ("de_DE") picks Name[de_DE], else Name[de].
    static std::optional<DesktopEntry> parse(QByteArrayView data, const QString &locale = {});
};
