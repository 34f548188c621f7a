#pragma once

#include <QString>
#include <QVariant>

// Told, on the main thread, the first argument of every OSC message the server receives.
class oscServerDelegate {
public:
    virtual ~oscServerDelegate() = default;
    virtual void setVal(const QVariant & /*value*/, const QString & /*address*/) {}
};
