#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror {

enum class AppLanguagePreference { system, chinese, english };
enum class AppResolvedLanguage { chinese, english };

QString toRaw(AppLanguagePreference preference);
std::optional<AppLanguagePreference> appLanguagePreferenceFromRaw(const QString& raw);
QList<AppLanguagePreference> allAppLanguagePreferences();

QString toRaw(AppResolvedLanguage language);
std::optional<AppResolvedLanguage> appResolvedLanguageFromRaw(const QString& raw);

namespace AppLocalization {

inline const QString preferenceKey = QStringLiteral("roror.language.preference");

// Absent, non-text or unrecognised values all mean `system`; the match is exact.
AppLanguagePreference loadPreference(QSettings& defaults);
void savePreference(AppLanguagePreference preference, QSettings& defaults);

// `system` follows the first preferred language only: "zh..." (any case) is Chinese.
AppResolvedLanguage resolvedLanguage(AppLanguagePreference preference, const QStringList& preferredLanguages);

// The one pick between the two texts; every bilingual helper in C++ comes down to it.
QString text(const QString& zh, const QString& en, AppResolvedLanguage language);
QString text(const QString& zh, const QString& en, AppLanguagePreference preference,
             const QStringList& preferredLanguages);

// The core reader: reads the stored choice and the preferred languages afresh on every call.
AppResolvedLanguage currentLanguage();
QString coreText(const QString& zh, const QString& en);

} // namespace AppLocalization

} // namespace roror
