#include "core/registryvalues.h"

#include "core/configini.h"
#include "platform/appinfo.h"
#include "platform/registry.h"

#include <QCoreApplication>

namespace RegistryValues {

namespace {
const QString LanguageIndexName = QStringLiteral("LanguageIndex");
const QString UpdateFailInfoName = QStringLiteral("UpdateFailInfo");

QString applicationRoot()
{
    const QString name = QString::fromUtf8(ApplicationName);
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + name + QLatin1Char('\\') + name;
}
} // namespace

QString ApplicationKey()
{
    return applicationRoot() + QLatin1Char('\\') + QString::fromUtf8(ApplicationName);
}

QString UpdateKey()
{
    return applicationRoot() + QStringLiteral("\\Mouse Drive Test");
}

QString StartupKey()
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

bool SetStartWithSystem(bool on, SettingsStore *store)
{
    const bool stored = StoreAutoStartEnabled(on, store);
    const QString name = QCoreApplication::applicationName();
    const bool started =
        on ? Registry::setValue(StartupKey(), name, QCoreApplication::applicationFilePath())
           : Registry::remove(StartupKey(), name);
    return stored && started;
}

int MigrateLanguageIndex(SettingsStore *store)
{
    bool ok = false;
    const int index = Registry::value(ApplicationKey(), LanguageIndexName).toInt(&ok);
    if (ok && index != 0)
        StoreLanguage(index, store);
    Registry::remove(ApplicationKey(), LanguageIndexName);
    return StoredLanguage(store);
}

QString UpdateFailInfo()
{
    return Registry::value(UpdateKey(), UpdateFailInfoName).toString();
}

void SetUpdateFailInfo(const QString &text)
{
    Registry::setValue(UpdateKey(), UpdateFailInfoName, text);
}

void RemoveUpdateFailInfo()
{
    Registry::remove(UpdateKey(), UpdateFailInfoName);
}

QString MouseVerName(const QString &cidText, const QString &midText)
{
    return QStringLiteral("MouseVer") + cidText + midText;
}

QString MouseVerNameOfModel(int driveIndex)
{
    const ConfigIni *config = ConfigIni::instance();
    return MouseVerName(config->value(QStringLiteral("Option"), QStringLiteral("CID")),
                        config->value(QStringLiteral("Drive") + QString::number(driveIndex + 1),
                                      QStringLiteral("MID")));
}

QString MouseVer(const QString &name)
{
    return Registry::value(UpdateKey(), name).toString();
}

void SetMouseVer(const QString &name, const QString &version)
{
    Registry::setValue(UpdateKey(), name, version);
}

} // namespace RegistryValues
