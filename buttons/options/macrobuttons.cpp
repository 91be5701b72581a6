// The chooser's macro panel: one checkable button per saved macro, padded with hidden
// placeholders so that a short list keeps the panel's rhythm. A click binds the macro to the
// selected row (macrobinding.cpp).
#include "buttons/options/macrolist.h"
#include "buttons/page/buttoninterface.h"
#include "macro/model/macroname.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString macroButtonSheet(const QString &textColor, const QString &folder)
{
    return QStringLiteral("QToolButton{color: rgb(%1;);border-image: url(%2CMenuTitle.png);}"
                          "QToolButton:hover{background-image: none;}"
                          "QToolButton:checked{border-image: url(%2CMenuTitleChecked.png);}")
        .arg(textColor, folder);
}

} // namespace

QToolButton *Buttoninterface::NewMacroPanelButton(const QString &text, const QFont &font)
{
    auto *button = new QToolButton(MacroButtonPanel);
    button->setText(text);
    button->setStyleSheet(macroButtonSheet(ButtonColorText, ImageFolder));
    button->setFont(font);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    MacroButtonLayout->addWidget(button);
    MacroButtons.append(button);
    return button;
}

void Buttoninterface::FillMacroPanel(const QFont &font)
{
    const QStringList entries = MacroListEntries(MacroFolder());
    for (const QString &entry : entries) {
        QToolButton *button = NewMacroPanelButton(entry, font);
        button->setMinimumSize(174, 22);
        OptionGroup->addButton(button);
        connect(button, SIGNAL(clicked(bool)), this, SLOT(slotButtonClicked(bool)));
    }
    for (int i = MacroPlaceholderCount(entries.size()); i > 0; --i) {
        QToolButton *placeholder = NewMacroPanelButton(QString(), font);
        placeholder->setMinimumSize(174, 23);
        placeholder->setEnabled(false);
        placeholder->hide();
    }
}

void Buttoninterface::BuildMacroButtonList()
{
    // Built before the start-up pass, which scales these buttons with every other widget.
    FillMacroPanel(Theme::Font(9));
}

void Buttoninterface::SlotAddMacroButton()
{
    for (QToolButton *button : qAsConst(MacroButtons))
        delete button;
    MacroButtons.clear();
    QFont font = Theme::Font(9);
    font.setPointSizeF(9 * ScreenFontFactor());
    FillMacroPanel(font);
}
