#pragma once

#include "app/model/AppModelServices.h"
#include "tests/support/TestEnv.h"

#include <QHash>
#include <QMutex>
#include <memory>

namespace roror::gallery {

// A home as a user's might look: caches and logs, applications with their leftovers, projects with
// build folders, installers in Downloads and on the Desktop, a protection list. Files are allocated
// (not sparse), so the engines count real sizes.
void buildHome(const test::TestEnv& env);

// The folder of projects in the fixture home (the Purge page's scan root).
QString projectsFolder(const test::TestEnv& env);

// A home beside the fixture one whose protection lists are not UTF-8 text, for the stores' own errors.
QString brokenHome(const test::TestEnv& env);

// What the real engines made of the fixture home, in the language set when they ran: the reports are
// made once per home and handed to every state, so no state waits on a walk.
struct EngineReports {
    CleanPreviewReport clean;
    LocalCleanResult cleaned; // the real clean of `clean`, run on the home and the home built again
    OptimizePreviewReport optimize;
    UninstallPreviewReport uninstall;
    InstallerPreviewReport installer;
    QString home;

    // Purge and analysis roots are chosen by the state, so these are made on first use per root.
    PurgePreviewReport purge(const QString& root);
    AnalysisReport analysis(const QString& root);

private:
    QMutex m_mutex;
    QHash<QString, PurgePreviewReport> m_purge;
    QHash<QString, AnalysisReport> m_analysis;
};

// Builds the fixture home in `env` and runs the engines over it.
std::shared_ptr<EngineReports> runEngines(const test::TestEnv& env);

// The services of every state: the fakes, with the engines' reports and the real protection stores.
void useEngines(AppModelServices& services, const std::shared_ptr<EngineReports>& reports);

} // namespace roror::gallery
