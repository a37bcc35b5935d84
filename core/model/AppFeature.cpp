#include "core/model/AppFeature.h"

namespace roror {

QString toRaw(AppFeature feature)
{
    switch (feature) {
    case AppFeature::dashboard:
        return QStringLiteral("dashboard");
    case AppFeature::clean:
        return QStringLiteral("clean");
    case AppFeature::uninstall:
        return QStringLiteral("uninstall");
    case AppFeature::optimize:
        return QStringLiteral("optimize");
    case AppFeature::analyze:
        return QStringLiteral("analyze");
    case AppFeature::purge:
        return QStringLiteral("purge");
    case AppFeature::installer:
        return QStringLiteral("installer");
    case AppFeature::maintenance:
        return QStringLiteral("maintenance");
    }
    return QString();
}

std::optional<AppFeature> appFeatureFromRaw(const QString& raw)
{
    for (const AppFeature feature : allAppFeatures()) {
        if (toRaw(feature) == raw)
            return feature;
    }
    return std::nullopt;
}

QList<AppFeature> allAppFeatures()
{
    return {AppFeature::dashboard, AppFeature::clean, AppFeature::uninstall, AppFeature::optimize,
            AppFeature::analyze,   AppFeature::purge, AppFeature::installer, AppFeature::maintenance};
}

} // namespace roror
