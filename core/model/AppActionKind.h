#pragma once

#include "core/model/AppAction.h"
#include "core/model/AppFeature.h"

#include <optional>

namespace roror {

// What the model does with an action, read from its words. Every test on the words compares
// whole words, exactly and case-sensitively; where several kinds would fit, the first listed wins.
enum class AppActionKind {
    cleanWhitelist,    // exactly "clean", "--whitelist": the Smart Clean protection list editor
    optimizeWhitelist, // exactly "optimize", "--whitelist": the optimization safeguard editor
    statusRefresh,     // at least two words, "status" then "--json"
    analysis,          // "analyze" and "--json"
    cleanPreview,      // "clean" and "--dry-run"
    clean,             // "clean"
    uninstallPreview,  // "uninstall" and "--dry-run"
    optimizePreview,   // "optimize" and "--dry-run"
    optimize,          // "optimize"
    installerPreview,  // "installer" and "--dry-run"
    purgePreview,      // "purge" and "--dry-run"
    version,           // exactly "--version"
    update,            // the first word is "update"
    notAvailable,      // the first word is "touchid", "completion" or "remove"
    completed,         // anything else
};

// An action read once: the kind, and the page it marks busy while it runs. The page follows the
// first feature word the action holds, whatever the kind ("optimize", "uninstall" runs the
// optimization but marks Uninstall); none for an action of no page.
struct ParsedAppAction {
    AppActionKind kind = AppActionKind::completed;
    std::optional<AppFeature> feature;

    bool operator==(const ParsedAppAction& other) const = default;
};

ParsedAppAction parseAppAction(const AppAction& action);

} // namespace roror
