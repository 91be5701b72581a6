#pragma once

#include "macro/macronotice.h"

// Tells that a macro of the chosen name already exists.
class SameMacro : public MacroNotice
{
    Q_OBJECT
public:
    explicit SameMacro(QWidget *parent = nullptr);
    // Replaces the message.
    void SetText(const QString &text);
};
