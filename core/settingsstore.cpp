#include "core/settingsstore.h"

#include "platform/appdir.h"
#include "platform/inifile.h"

#include <QMutexLocker>

namespace {
const QString LanguageGroup = QStringLiteral("Language");
const QString LanguageKey = QStringLiteral("Language");
const QString AutoStartGroup = QStringLiteral("AutoStart");
const QString AutoStartKey = QStringLiteral("Enable");
const QString FindNewGroup = QStringLiteral("FindNew");
const QString FindNewKey = QStringLiteral("IsShow");

int toDecimal(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    return ok ? number : 0;
}
} // namespace

SettingsStore *SettingsStore::instance()
{
    // The static's initialisation guard serialises the first calls from several threads.
    static SettingsStore *const store = new SettingsStore(UserDir::filePath("Macro.ini"));
    return store;
}

SettingsStore::SettingsStore(const QString &path) : m_path(path) {}

QString SettingsStore::value(const QString &group, const QString &key)
{
    QMutexLocker locker(&m_mutex);
    return IniFile(m_path).value(group + QLatin1Char('/') + key).toString();
}

bool SettingsStore::setValue(const QString &group, const QString &key, const QString &text)
{
    QMutexLocker locker(&m_mutex);
    return IniFile::update(m_path, [&](QSettings::SettingsMap &values) {
        values.insert(group + QLatin1Char('/') + key, text);
    });
}

QStringList SettingsStore::valueList(const QString &group, const QString &key)
{
    QMutexLocker locker(&m_mutex);
    return IniFile(m_path).value(group + QLatin1Char('/') + key).toStringList();
}

bool SettingsStore::remove(const QString &group, const QString &key)
{
    QMutexLocker locker(&m_mutex);
    return IniFile::update(m_path, [&](QSettings::SettingsMap &values) {
        values.remove(group + QLatin1Char('/') + key);
    });
}

int StoredLanguage(SettingsStore *store)
{
    const int language = toDecimal(store->value(LanguageGroup, LanguageKey));
    return language >= 0 && language < LanguageCount ? language : 0;
}

bool StoreLanguage(int language, SettingsStore *store)
{
    return store->setValue(LanguageGroup, LanguageKey, QString::number(language));
}

bool AutoStartEnabled(SettingsStore *store)
{
    return toDecimal(store->value(AutoStartGroup, AutoStartKey)) == 1;
}

bool StoreAutoStartEnabled(bool enabled, SettingsStore *store)
{
    return store->setValue(AutoStartGroup, AutoStartKey,
                           enabled ? QStringLiteral("1") : QStringLiteral("0"));
}

bool StoreFindNewShown(bool ticked, SettingsStore *store)
{
    return store->setValue(FindNewGroup, FindNewKey,
                           ticked ? QStringLiteral("1") : QStringLiteral("0"));
}
