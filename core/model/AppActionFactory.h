#pragma once

#include "core/model/AppAction.h"

namespace roror::AppActionFactory {

// Every builder draws a fresh id, so two actions built alike are different actions.
// Title and detail are each chosen with their own fresh read of the language choice.

AppAction clean(bool dryRun, bool debug);
AppAction cleanWhitelist();
AppAction uninstall(bool dryRun, bool debug);
AppAction optimize(bool dryRun, bool debug);
AppAction optimizeWhitelist();
// The path is appended exactly as given, unless it is empty or only white space.
AppAction analyze(const QString& path, bool json);
AppAction status(bool json);
AppAction purge(bool dryRun, bool debug);
AppAction purgePaths();
AppAction installer(bool dryRun, bool debug);
AppAction touchID(bool dryRun);
AppAction completion(bool dryRun);
AppAction update(bool nightly, bool force);
AppAction remove(bool dryRun);
AppAction menu();
AppAction help();
AppAction version();

} // namespace roror::AppActionFactory
