#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace osc {

class Message;

// The one-line text form of messages: an address followed by space-separated arguments,
// strings in double quotes, blobs as "#blob" and Base64.
class TextForm {
public:
    static std::optional<Message> parse(const QString &text);
    static QString qsc(const Message &message);
    static QString describe(const Message &message);

    static QString numberText(const QVariant &number);
};

} // namespace osc
