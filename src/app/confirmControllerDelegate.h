#pragma once

// The answers of the sheet that asks what to do with unapplied edits.
class confirmControllerDelegate {
public:
    virtual ~confirmControllerDelegate() = default;

    virtual void applyChanges() = 0;
    virtual void dismissChanges() = 0;
    virtual void cancelChanges() = 0;
};
