#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The one-line requests a second start of the program sends to the copy already running, and
// the reader that takes them apart on the running side. The peer is any process of the same
// user that can reach the socket, so the reader trusts nothing: a line has a bound, and a line
// that is too long or not a request ends the conversation.
class InstanceRequest {
public:
    enum class Kind { Show };

    // Longer than any request; a peer that sends more without a line end is not one of ours.
    static constexpr qsizetype maximumLineLength = 64;

    static QByteArray encode(Kind kind);
    // The running copy's answer once it has done what was asked.
    static QByteArray acknowledgement() { return QByteArrayLiteral("shown\n"); }

    // Takes the next bytes of a connection; answers the request once its line is complete.
    // After a request or a failure the rest of the connection's bytes are ignored.
    std::optional<Kind> feed(QByteArrayView bytes);
    bool failed() const { return m_failed; }

private:
    QByteArray m_line;
    bool m_done = false;
    bool m_failed = false;
};
