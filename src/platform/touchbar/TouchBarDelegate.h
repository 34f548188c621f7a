#pragma once

#include <QString>

#include <memory>

class TouchBar;
class TouchBarItem;

// Makes the items of a touch bar. Returning null leaves the identifier's slot empty.
class TouchBarDelegate {
public:
    virtual ~TouchBarDelegate() = default;
    virtual std::shared_ptr<TouchBarItem> makeItemForIdentifier(TouchBar &bar, const QString &identifier) = 0;
};
