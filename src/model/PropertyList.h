#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QVariant>

#include <optional>

// Converts between QVariant trees and property lists (XML and binary).
//
// Dictionaries are QVariantMap, arrays QVariantList, strings QString, integers qint64,
// reals double, booleans bool, data QByteArray and dates QDateTime.
class PropertyList {
public:
    // Reads an XML or binary property list. Anything that is not a complete, well-formed
    // property list of the types above yields no value.
    static std::optional<QVariant> fromData(QByteArrayView data);

    // Writes the value as an XML property list; a value of any other type yields an empty array.
    static QByteArray toXml(const QVariant &value);

    // Nesting deeper than this is refused on reading, so hostile files cannot exhaust the stack.
    static constexpr int maximumDepth = 256;
};
