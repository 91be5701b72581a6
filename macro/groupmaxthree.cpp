#include "macro/groupmaxthree.h"

#include "core/languagetables.h"

GroupMaxThree::GroupMaxThree(QWidget *parent)
    : MacroNotice({QStringLiteral("GroupMaxThree"), QStringLiteral("MaxThree"),
                   QRect(0, 30, 301, 71), 105,
                   QStringLiteral("  Key can only have up to three buttons"), &MaxThreeTexts},
                  parent)
{}
