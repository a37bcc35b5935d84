#include "core/model/AppLocalization.h"

#include "platform/PreferredLanguages.h"
#include "platform/SettingsStore.h"

namespace roror {

QString toRaw(AppLanguagePreference preference)
{
    switch (preference) {
    case AppLanguagePreference::system:
        return QStringLiteral("system");
    case AppLanguagePreference::chinese:
        return QStringLiteral("chinese");
    case AppLanguagePreference::english:
        return QStringLiteral("english");
    }
    return QStringLiteral("system");
}

std::optional<AppLanguagePreference> appLanguagePreferenceFromRaw(const QString& raw)
{
    for (auto p : allAppLanguagePreferences()) {
        if (toRaw(p) == raw)
            return p;
    }
    return std::nullopt;
}

QList<AppLanguagePreference> allAppLanguagePreferences()
{
    return {AppLanguagePreference::system, AppLanguagePreference::chinese, AppLanguagePreference::english};
}

QString toRaw(AppResolvedLanguage language)
{
    return language == AppResolvedLanguage::chinese ? QStringLiteral("chinese") : QStringLiteral("english");
}

std::optional<AppResolvedLanguage> appResolvedLanguageFromRaw(const QString& raw)
{
    if (raw == QLatin1String("chinese"))
        return AppResolvedLanguage::chinese;
    if (raw == QLatin1String("english"))
        return AppResolvedLanguage::english;
    return std::nullopt;
}

namespace AppLocalization {

AppLanguagePreference loadPreference(QSettings& defaults)
{
    const QVariant value = defaults.value(preferenceKey);
    if (value.typeId() != QMetaType::QString)
        return AppLanguagePreference::system;
    return appLanguagePreferenceFromRaw(value.toString()).value_or(AppLanguagePreference::system);
}

void savePreference(AppLanguagePreference preference, QSettings& defaults)
{
    defaults.setValue(preferenceKey, toRaw(preference));
    defaults.sync();
}

AppResolvedLanguage resolvedLanguage(AppLanguagePreference preference, const QStringList& preferredLanguages)
{
    switch (preference) {
    case AppLanguagePreference::chinese:
        return AppResolvedLanguage::chinese;
    case AppLanguagePreference::english:
        return AppResolvedLanguage::english;
    case AppLanguagePreference::system:
        break;
    }
    const QString first = preferredLanguages.isEmpty() ? QString() : preferredLanguages.first().toLower();
    return first.startsWith(QLatin1String("zh")) ? AppResolvedLanguage::chinese : AppResolvedLanguage::english;
}

QString text(const QString& zh, const QString& en, AppResolvedLanguage language)
{
    return language == AppResolvedLanguage::chinese ? zh : en;
}

QString text(const QString& zh, const QString& en, AppLanguagePreference preference,
             const QStringList& preferredLanguages)
{
    return text(zh, en, resolvedLanguage(preference, preferredLanguages));
}

AppResolvedLanguage currentLanguage()
{
    const auto defaults = SettingsStore::open();
    return resolvedLanguage(loadPreference(*defaults), PreferredLanguages::current());
}

QString coreText(const QString& zh, const QString& en)
{
    return text(zh, en, currentLanguage());
}

} // namespace AppLocalization

} // namespace roror
