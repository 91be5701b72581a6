#include "macro/keynumberlimit.h"

#include "core/languagetables.h"

KeyNumberLimit::KeyNumberLimit(QWidget *parent)
    : MacroNotice({QStringLiteral("KeyNumberLimit"), QStringLiteral("LimitA"),
                   QRect(0, 30, 301, 71), 100, QStringLiteral("Macro Key reached the Max limit"),
                   &LimitTexts},
                  parent)
{}
