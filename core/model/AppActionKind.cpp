#include "core/model/AppActionKind.h"

#include <utility>

namespace roror {

namespace {

AppActionKind kindOf(const QStringList& words)
{
    const auto has = [&words](const char* word) { return words.contains(QLatin1String(word)); };
    const QString first = words.value(0);
    const bool dryRun = has("--dry-run");

    if (words == QStringList{QStringLiteral("clean"), QStringLiteral("--whitelist")})
        return AppActionKind::cleanWhitelist;
    if (words == QStringList{QStringLiteral("optimize"), QStringLiteral("--whitelist")})
        return AppActionKind::optimizeWhitelist;
    if (words.size() >= 2 && first == QLatin1String("status") && words.at(1) == QLatin1String("--json"))
        return AppActionKind::statusRefresh;
    if (has("analyze") && has("--json"))
        return AppActionKind::analysis;
    if (has("clean"))
        return dryRun ? AppActionKind::cleanPreview : AppActionKind::clean;
    if (has("uninstall") && dryRun)
        return AppActionKind::uninstallPreview;
    if (has("optimize"))
        return dryRun ? AppActionKind::optimizePreview : AppActionKind::optimize;
    if (has("installer") && dryRun)
        return AppActionKind::installerPreview;
    if (has("purge") && dryRun)
        return AppActionKind::purgePreview;
    if (words.size() == 1 && first == QLatin1String("--version"))
        return AppActionKind::version;
    if (first == QLatin1String("update"))
        return AppActionKind::update;
    if (first == QLatin1String("touchid") || first == QLatin1String("completion") || first == QLatin1String("remove"))
        return AppActionKind::notAvailable;
    return AppActionKind::completed;
}

std::optional<AppFeature> featureOf(const QStringList& words, AppActionKind kind)
{
    static const std::pair<const char*, AppFeature> pages[] = {
        {"clean", AppFeature::clean},     {"uninstall", AppFeature::uninstall}, {"optimize", AppFeature::optimize},
        {"analyze", AppFeature::analyze}, {"purge", AppFeature::purge},         {"installer", AppFeature::installer},
    };
    for (const auto& [word, feature] : pages) {
        if (words.contains(QLatin1String(word)))
            return feature;
    }
    if (kind == AppActionKind::statusRefresh)
        return AppFeature::dashboard;
    return std::nullopt;
}

} // namespace

ParsedAppAction parseAppAction(const AppAction& action)
{
    const AppActionKind kind = kindOf(action.arguments);
    return ParsedAppAction{kind, featureOf(action.arguments, kind)};
}

} // namespace roror
