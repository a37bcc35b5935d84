#pragma once

#include "core/model/AppLocalization.h"

#include <QObject>
#include <QString>
#include <type_traits>
#include <utility>

namespace roror {

// The application's observable language choice. Views and the application model read texts
// through it; the core reads the stored choice directly (AppLocalization::coreText).
class LocalizationSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(roror::AppLanguagePreference preference READ preference WRITE setPreference NOTIFY preferenceChanged)

public:
    explicit LocalizationSettings(AppLanguagePreference preference, QObject* parent = nullptr);

    // The one instance for the whole process, made on first use from the stored choice and
    // never re-read from the store afterwards. Lives in the application's main thread.
    static LocalizationSettings& shared();

    AppLanguagePreference preference() const { return m_preference; }

    // Always takes the value, writes it to the user defaults and announces it, also when it
    // equals the old one. The store is written before observers hear of the change, so a
    // text produced by the core in reaction to the signal is already in the new language.
    void setPreference(AppLanguagePreference preference);

    AppResolvedLanguage resolvedLanguage() const;

    // The first text when the resolved language is Chinese, the second otherwise.
    QString text(const QString& zh, const QString& en) const;

signals:
    void preferenceChanged(roror::AppLanguagePreference preference);

private:
    AppLanguagePreference m_preference;
};

// Picks between two deferred texts with the shared object's choice; only the chosen one is
// ever evaluated. Usage: L([&] { return QStringLiteral("..."); }, [&] { return ...; }).
template <typename Zh, typename En>
requires std::is_invocable_v<Zh> && std::is_invocable_v<En> QString L(Zh&& zh, En&& en)
{
    if (LocalizationSettings::shared().resolvedLanguage() == AppResolvedLanguage::chinese)
        return QString(std::forward<Zh>(zh)());
    return QString(std::forward<En>(en)());
}

} // namespace roror
