#include "macro/makemacro.h"

#include "core/languagetables.h"

MakeMacro::MakeMacro(QWidget *parent)
    : MacroNotice({QStringLiteral("MakeMacro"), QStringLiteral("MakeMacroA"), QRect(6, 29, 291, 71),
                   100, QStringLiteral("Please create a macro first"), &MakeMacroTexts},
                  parent)
{}
