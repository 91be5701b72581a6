#include "macro/samemacro.h"

#include "core/languagetables.h"

#include <QLabel>

SameMacro::SameMacro(QWidget *parent)
    : MacroNotice({QStringLiteral("SameMacro"), QStringLiteral("SameMacroA"), QRect(0, 10, 301, 91),
                   100, QStringLiteral("Already have a same name macro"), &SameMacroTexts},
                  parent)
{}

void SameMacro::SetText(const QString &text)
{
    Message()->setText(text);
}
