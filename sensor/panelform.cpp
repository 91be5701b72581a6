#include "sensor/panelform.h"

#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QListView>

void PanelForm::SetUp(QFrame *panel, const char *name, const QSize &size, bool fixed)
{
    if (panel->objectName().isEmpty())
        panel->setObjectName(QLatin1String(name));
    panel->resize(size);
    if (fixed)
        panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
}

MyConmboBox *PanelForm::AddList(QFrame *panel, const char *name, const QRect &geometry)
{
    auto *list = new MyConmboBox(panel);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    list->setMinimumSize(131, 34);
    list->setMaximumSize(220, 34);
    list->setFont(NoticeFrame::font(11));
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

void PanelForm::StyleList(QComboBox *list, const QString &folder, bool ownView)
{
    list->setStyleSheet(Theme::ComboBoxStyle(folder) +
                        QStringLiteral("QComboBox:disabled{color: rgb(141,148,158);}"));
    if (!ownView)
        return;
    auto *view = new QListView(list);
    view->setStyleSheet(Theme::ComboListStyle());
    list->setView(view);
}
