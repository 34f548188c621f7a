#pragma once

#include "padButton.h"

// A button that opens or closes a popover: one action, when the finger lifts.
class popUpButton : public padButton {
    Q_OBJECT
public:
    explicit popUpButton(QWidget *parent = nullptr)
        : padButton(parent)
    {
        setActsAtPress(false);
    }
};
