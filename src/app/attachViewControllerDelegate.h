#pragma once

#include <QString>

// What the attach window asks of the application controller.
class attachViewControllerDelegate {
public:
    virtual ~attachViewControllerDelegate() = default;
    virtual QString frontmostAppIdentifier() const = 0;
    virtual void closeAttachAppWindow() = 0;
};
