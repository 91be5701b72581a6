// The chooser's macro panel: one checkable button per saved macro, padded with hidden
// placeholders so that a short list keeps the panel's rhythm. A click binds the macro to the
// selected row (macrobinding.cpp).
#include "buttons/options/macrolist.h"
#include "buttons/page/buttoninterface.h"
#include "buttons/page/ui_buttoninterface.h"
#include "macro/model/macroname.h"
#include "shell/widgets/elidingtoolbutton.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QScrollArea>
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
    auto *button = new ElidingToolButton(MacroButtonPanel);
    button->setText(text);
    // As wide as every other option, whatever the name: the list has no horizontal scroll bar,
    // so a longer name is drawn shortened and shown whole when pointed at.
    button->setMaximumWidth(174);
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
    // The panel replaces the form's contents of the list's scroll area. It is made in place and
    // given its sheet while still empty: a widget moved, or a sheet set above widgets that have
    // sheets of their own, is styled at once, and the page is built hidden, to be styled only
    // when it is first polished.
    QScrollArea *area = ui->scrollArea_7;
    MacroButtonPanel = new QWidget(area->viewport());
    MacroButtonPanel->setObjectName(QStringLiteral("MacroButtonPanel"));
    MacroButtonPanel->setStyleSheet(QStringLiteral("background-color:transparent;border:none;"));
    MacroButtonLayout = new QVBoxLayout(MacroButtonPanel);
    // In line with the buttons of the other option lists.
    MacroButtonLayout->setContentsMargins(7, -1, -1, -1);
    // The panel takes the size of its buttons: a short list stays packed at the top.
    MacroButtonLayout->setSizeConstraint(QLayout::SetFixedSize);
    area->setWidget(MacroButtonPanel);
    // setWidget() deleted them.
    ui->scrollAreaWidgetContents_7 = nullptr;
    ui->verticalLayout_6 = nullptr;
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
