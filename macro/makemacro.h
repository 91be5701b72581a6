#pragma once

#include "macro/macronotice.h"

// Tells the button page's user to create a macro before choosing the macro function.
class MakeMacro : public MacroNotice
{
    Q_OBJECT
public:
    explicit MakeMacro(QWidget *parent = nullptr);
};
