#include "DesktopEntry.h"

#include <QByteArray>
#include <QHash>

namespace {

const QByteArray mainGroup = QByteArrayLiteral("Desktop Entry");

// Values escape space, newline, tab, carriage return and the backslash; any other escaped
// character stands for itself.
QString unescape(QByteArrayView raw)
{
    const QString text = QString::fromUtf8(raw);
    QString value;
    value.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 == text.size()) {
            value.append(c);
            continue;
        }
        const QChar escaped = text.at(++i);
        switch (escaped.unicode()) {
        case u's':
            value.append(u' ');
            break;
        case u'n':
            value.append(u'\n');
            break;
        case u't':
            value.append(u'\t');
            break;
        case u'r':
            value.append(u'\r');
            break;
        default:
            value.append(escaped);
        }
    }
    return value;
}

bool isTrue(const QString &value)
{
    // "1" is the form of older entries that desktops still accept.
    return value == QLatin1String("true") || value == QLatin1String("1");
}

// The key-value pairs of the main group, first occurrence of each key.
QHash<QByteArray, QString> mainGroupValues(QByteArrayView data)
{
    QHash<QByteArray, QString> values;
    bool inMainGroup = false;
    bool sawMainGroup = false;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QByteArrayView line = data.sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inMainGroup = line.back() == ']' && line.sliced(1, line.size() - 2) == mainGroup;
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals <= 0)
            continue;
        const QByteArray key = line.first(equals).trimmed().toByteArray();
        if (!values.contains(key))
            values.insert(key, unescape(line.sliced(equals + 1).trimmed()));
    }
    if (!sawMainGroup)
        values.clear();
    return values;
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::parse(QByteArrayView data, const QString &locale)
{
    data = data.first(std::min(data.size(), maximumSize));
    const QHash<QByteArray, QString> values = mainGroupValues(data);
    if (values.isEmpty())
        return std::nullopt;
    DesktopEntry entry;
    entry.type = values.value("Type");
    entry.name = values.value("Name");
    const QByteArray localeKey = locale.toUtf8();
    const QByteArray language = localeKey.left(localeKey.indexOf('_'));
    for (const QByteArray &variant : {localeKey, language}) {
        const QString translated = values.value("Name[" + variant + ']');
        if (!variant.isEmpty() && !translated.isEmpty()) {
            entry.name = translated;
            break;
        }
    }
    entry.icon = values.value("Icon");
    entry.startupWMClass = values.value("StartupWMClass");
    entry.noDisplay = isTrue(values.value("NoDisplay"));
    entry.hidden = isTrue(values.value("Hidden"));
    return entry;
}
