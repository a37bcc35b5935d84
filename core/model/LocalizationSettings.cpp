#include "core/model/LocalizationSettings.h"

#include "platform/PreferredLanguages.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QThread>

namespace roror {

LocalizationSettings::LocalizationSettings(AppLanguagePreference preference, QObject* parent)
    : QObject(parent)
    , m_preference(preference)
{
}

LocalizationSettings& LocalizationSettings::shared()
{
    // A function-local static is initialised exactly once, also under concurrent first use.
    static LocalizationSettings* const instance = [] {
        const auto defaults = SettingsStore::open();
        auto* settings = new LocalizationSettings(AppLocalization::loadPreference(*defaults));
        if (auto* app = QCoreApplication::instance(); app && app->thread() != QThread::currentThread())
            settings->moveToThread(app->thread());
        return settings;
    }();
    return *instance;
}

void LocalizationSettings::setPreference(AppLanguagePreference preference)
{
    m_preference = preference;
    {
        const auto defaults = SettingsStore::open();
        AppLocalization::savePreference(m_preference, *defaults);
    }
    emit preferenceChanged(m_preference);
}

AppResolvedLanguage LocalizationSettings::resolvedLanguage() const
{
    return AppLocalization::resolvedLanguage(m_preference, PreferredLanguages::current());
}

QString LocalizationSettings::text(const QString& zh, const QString& en) const
{
    return AppLocalization::text(zh, en, resolvedLanguage());
}

} // namespace roror
