#pragma once

#include "macro/macronotice.h"

// Tells that a recording stopped at the most key events a macro holds.
class KeyNumberLimit : public MacroNotice
{
    Q_OBJECT
public:
    explicit KeyNumberLimit(QWidget *parent = nullptr);
};
