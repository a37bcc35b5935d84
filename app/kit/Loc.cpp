#include "app/kit/Loc.h"

#include <QQmlEngine>

namespace roror {

Loc::Loc(QObject* parent)
    : QObject(parent)
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this, &Loc::languageChanged);
}

Loc* Loc::create(QQmlEngine* engine, QJSEngine*)
{
    auto* loc = new Loc;
    QQmlEngine::setObjectOwnership(loc, QQmlEngine::JavaScriptOwnership);
    Q_UNUSED(engine);
    return loc;
}

bool Loc::chinese() const
{
    return LocalizationSettings::shared().resolvedLanguage() == AppResolvedLanguage::chinese;
}

QString Loc::preference() const
{
    return toRaw(LocalizationSettings::shared().preference());
}

void Loc::setPreference(const QString& raw)
{
    LocalizationSettings::shared().setPreference(
        appLanguagePreferenceFromRaw(raw).value_or(AppLanguagePreference::system));
}

} // namespace roror
