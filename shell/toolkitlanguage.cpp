#include "shell/toolkitlanguage.h"

#include "core/postmsg.h"
#include "platform/desktop/toolkittranslation.h"

#include <QCoreApplication>
#include <QPointer>

QString ToolkitLocale(int language)
{
    return language == 1 ? QStringLiteral("uk") : QString();
}

void FollowLanguageInToolkitDialogs()
{
    static QPointer<QCoreApplication> followed;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || followed == app)
        return;
    followed = app;
    QObject::connect(PostMsg::GetInstance(), &PostMsg::SigAllLanguage, app,
                     [](int language) { ToolkitTranslation::use(ToolkitLocale(language)); });
}
