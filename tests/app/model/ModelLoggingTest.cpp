#include "core/model/AppActionFactory.h"
#include "tests/app/model/ModelTestSupport.h"

#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

// Collects what the program logs in its own categories while it lives; everything else goes on
// to the handler that was there before.
class LogCapture {
public:
    LogCapture()
    {
        s_current = this;
        s_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(s_previous);
        s_current = nullptr;
    }
    QStringList lines() const
    {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        const QByteArray category(context.category ? context.category : "");
        if (s_current && category.startsWith("roror.")) {
            const char* level = type == QtWarningMsg ? "warning" : "other";
            QMutexLocker lock(&s_current->m_mutex);
            s_current->m_lines.append(QString::fromLatin1(category) + QLatin1Char(' ') + QLatin1String(level)
                                      + QStringLiteral(": ") + message);
            return;
        }
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline LogCapture* s_current = nullptr;
    static inline QtMessageHandler s_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};

AppAction action(const QStringList& words)
{
    AppAction a;
    a.id = QUuid::createUuid();
    a.title = QStringLiteral("Act");
    a.arguments = words;
    return a;
}

class ModelLogging : public ::testing::Test {
protected:
    void SetUp() override { useLanguage(AppLanguagePreference::english); }

    TestEnv env;
    AppModelServices services = fakeServices(env);
};

// Each error the user is shown is logged once, as a warning in the category of its subsystem,
// with the text the user saw.
TEST_F(ModelLogging, EveryErrorShownIsLoggedOnceInItsCategory)
{
    const struct {
        const char* name;
        std::function<void(AppModelServices&)> arrange;
        std::function<void(AppModel&)> act;
        QString logged;
    } cases[] = {
        {"preview failure",
         [](AppModelServices& s) { s.cleanPreview = [] { return failing<CleanPreviewReport>("disk gone"); }; },
         [](AppModel& m) {
             finish(m.execute(action({"clean", "--dry-run"})));
         },
         "roror.clean warning: Preview Failed: disk gone"},
        {"run failure, shown in the banner and the alert",
         [](AppModelServices& s) { s.optimizePreview = [] { return failing<OptimizePreviewReport>("no steps"); }; },
         [](AppModel& m) { finish(m.execute(action({"optimize"}))); },
         "roror.optimize warning: Optimization Failed: no steps"},
        {"analysis failure",
         [](AppModelServices& s) {
             s.analysis = [](const QString&) -> AnalysisReport { throw std::runtime_error("gone"); };
         },
         [](AppModel& m) {
             finish(m.execute(action({"analyze", "--json"})));
         },
         "roror.analysis warning: Storage Analysis Failed: gone"},
        {"unreadable protection list",
         [](AppModelServices& s) {
             s.loadCleanWhitelist
                 = [](const QString&) -> CleanWhitelistState { throw std::runtime_error("unreadable"); };
         },
         [](AppModel& m) { m.loadCleanWhitelistEditor(); }, "roror.clean warning: unreadable"},
        {"refused Trash move", [](AppModelServices&) {},
         [](AppModel& m) { finish(m.moveToTrash(QStringLiteral("/etc"))); },
         "roror.trash warning: This path is outside the allowed scope and cannot be moved to Trash."},
        {"failed process termination",
         [](AppModelServices& s) {
             s.terminateProcess = [](qint64, bool) { throw std::runtime_error("no such process"); };
         },
         [](AppModel& m) { m.terminateProcess(process(42, QStringLiteral("x")), false); },
         "roror.status warning: no such process"},
        {"silent update check failure, shown on the Settings page",
         [](AppModelServices& s) {
             s.updateFeedURL = []() -> std::optional<QUrl> { return QUrl(QStringLiteral("http://127.0.0.1:9/feed")); };
             s.fetchLatestUpdate = [](const QUrl&) { return failing<RororUpdateInfo>("offline"); };
         },
         [](AppModel& m) { finish(m.checkForUpdates(true)); }, "roror.update warning: Update check failed: offline"},
        {"failed update install", [](AppModelServices&) {},
         [](AppModel& m) {
             m.setUpdateInstallerState(UpdateInstallerState::failed(QStringLiteral("Installation failed.")));
         },
         "roror.update warning: Installation failed."},
        {"feature not available", [](AppModelServices&) {}, [](AppModel& m) { finish(m.execute(action({"touchid"}))); },
         "roror.model warning: This feature is not available in Roror yet."},
    };
    for (const auto& c : cases) {
        AppModelServices s = services;
        c.arrange(s);
        AppModel model(s);
        LogCapture capture;
        c.act(model);
        EXPECT_EQ(capture.lines(), QStringList{c.logged}) << c.name;
    }
}

TEST_F(ModelLogging, WorkThatSucceedsLogsNothing)
{
    AppModel model(services);
    LogCapture capture;
    ASSERT_TRUE(finish(model.execute(action({"clean", "--dry-run"}))));
    ASSERT_TRUE(finish(model.execute(action({"status", "--json"}))));
    model.loadCleanWhitelistEditor();
    EXPECT_EQ(capture.lines(), QStringList{});
}

} // namespace
