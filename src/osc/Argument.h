#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace osc {

// An argument as it goes on the wire; the type tag is "ifsb"[index()].
using Argument = std::variant<qint32, float, QString, QByteArray>;

} // namespace osc
