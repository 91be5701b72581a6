#pragma once

#include "macro/macronotice.h"

// Tells that a key combination has at most three parts; shown exactly over the key-combination
// dialog.
class GroupMaxThree : public MacroNotice
{
    Q_OBJECT
public:
    explicit GroupMaxThree(QWidget *parent = nullptr);
};
