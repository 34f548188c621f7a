#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

// The update server's reply: an XML property list whose root dictionary names the newest
// version and where to download it.
class UpdateFeed {
public:
    // Anything that is not a property-list dictionary reads as a feed with version 0.
    static UpdateFeed fromData(QByteArrayView data);

    // A version as a number, the way the program compares versions: the leading decimal of a
    // string ("1.10" is 1.1, "1.2.3" is 1.2), a number as it is; 0 for anything else.
    static float versionNumber(const QVariant &value);

    // 0 when the feed names no readable version.
    float version() const { return m_version; }
    // Empty when the feed names none.
    QString url() const { return m_url; }

private:
    float m_version = 0;
    QString m_url;
};
