#include "InstanceRequest.h"

QByteArray InstanceRequest::encode(Kind kind)
{
    switch (kind) {
    case Kind::Show:
        return QByteArrayLiteral("show\n");
    }
    return {};
}

std::optional<InstanceRequest::Kind> InstanceRequest::feed(QByteArrayView bytes)
{
    if (m_done || m_failed)
        return std::nullopt;
    const qsizetype end = bytes.indexOf('\n');
    const QByteArrayView part = end < 0 ? bytes : bytes.first(end);
    if (m_line.size() + part.size() > maximumLineLength) {
        m_failed = true;
        return std::nullopt;
    }
    m_line.append(part);
    if (end < 0)
        return std::nullopt;
    m_done = true;
    if (m_line == "show")
        return Kind::Show;
    m_failed = true;
    return std::nullopt;
}
