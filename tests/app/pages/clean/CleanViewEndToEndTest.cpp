#include "app/pages/clean/CleanPage.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "tests/app/pages/PageViewSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace roror::test {
namespace {

bool exists(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// The Smart Clean page over the real preview, executor and protection-list store, on a fake home
// with caches, logs, protected caches, a link out of the home and files no clean looks at.
class CleanViewEndToEnd : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv& env) {
            const AppModelServices real = AppModelServices::real();
            s.cleanPreview = real.cleanPreview;
            s.cleanExecutor = real.cleanExecutor;
            s.loadCleanWhitelist = real.loadCleanWhitelist;
            s.saveCleanWhitelist = real.saveCleanWhitelist;
            s.now = real.now;
            home = env.home();
            const QByteArray blob(6000, 'c');
            for (const char* path : {"Library/Caches/app1/blob", "Library/Caches/app1/deep/blob",
                                     "Library/Caches/app2.db", "Library/Caches/JetBrains/index", "Library/Logs/a.log",
                                     "Library/Logs/old/b.log", "Documents/notes.txt"})
                env.writeFile(QString::fromUtf8(path), blob);
            precious = env.writeFile(env.outside() + QStringLiteral("/precious/data"), blob);
            QFile::link(env.outside() + QStringLiteral("/precious"), at("Library/Caches/link-out"));
        };
    }

    QString at(const char* relative) const { return home + QLatin1Char('/') + QString::fromUtf8(relative); }
    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }

    void open() { ASSERT_NE(view().load(QStringLiteral("Roror.Pages.Clean"), QStringLiteral("CleanView")), nullptr); }
    void preview()
    {
        view().click(item("cleanPreviewButton"));
        ASSERT_TRUE(settleUntil(view(), [&] { return view().model().isRunning(); }));
        ASSERT_TRUE(settleUntil(
            view(), [&] { return !view().model().isRunning(); }, 30000));
        view().grab();
    }
    // The row paths and detail lines the page shows, top to bottom.
    QStringList shownPaths() { return textsOf("cleanRowPath"); }
    QStringList textsOf(const char* name)
    {
        QStringList out;
        for (QQuickItem* row : shownAll(view(), QString::fromLatin1(name)))
            out << textOf(row);
        return out;
    }
    void cleanThroughConfirmation()
    {
        view().click(item("cleanStartButton"));
        ASSERT_TRUE(view().model().pendingAction());
        EXPECT_TRUE(exists(at("Library/Caches/app2.db"))) << "nothing goes before the confirmation";
        // The root view's Continue.
        view().model().confirmPendingAction();
        ASSERT_TRUE(settleUntil(view(), [&] { return view().model().isRunning(); }));
        ASSERT_TRUE(settleUntil(
            view(), [&] { return !view().model().isRunning(); }, 30000));
        view().grab();
    }

    QString home;
    QString precious;
};

TEST_F(CleanViewEndToEnd, PreviewCleanAndTheLastRunLineOnDisk)
{
    open();
    preview();
    EXPECT_EQ(shownPaths(), (QStringList{at("Library/Caches"), at("Library/Logs")}));
    const QStringList details = textsOf("cleanRowDetail");
    ASSERT_EQ(details.size(), 2);
    // Everything in the caches but the default-protected JetBrains folder is counted (app1 with its
    // folder and two files, app2.db); the link is not.
    EXPECT_TRUE(details[0].endsWith(QStringLiteral(", 5 items"))) << details[0].toStdString();
    const auto report = view().model().cleanPreviewReport();
    ASSERT_TRUE(report && report->summary);
    EXPECT_EQ(textOf(view().find(QStringLiteral("resultsSubtitle"))), *report->summary);

    cleanThroughConfirmation();
    for (const char* gone : {"Library/Caches/app1", "Library/Caches/app2.db", "Library/Caches/link-out",
                             "Library/Logs/a.log", "Library/Logs/old"})
        EXPECT_FALSE(exists(at(gone))) << gone;
    for (const char* kept : {"Library/Caches/JetBrains/index", "Documents/notes.txt"})
        EXPECT_TRUE(exists(at(kept))) << kept;
    EXPECT_TRUE(exists(precious));
    // app1, app2.db and the link left the caches, a.log and old the logs.
    EXPECT_EQ(view().model().lastCleanCount(), 5);
    EXPECT_EQ(item("cleanHeaderSymbol")->property("systemName").toString(), QStringLiteral("clock.arrow.circlepath"));
    const QString line = textOf(item("cleanLastRun"));
    EXPECT_TRUE(line.startsWith(QStringLiteral("Last cleaned ")) && line.endsWith(QStringLiteral(" · 5 items")))
        << line.toStdString();
    // What is left is protected, so the preview taken again after the clean has nothing to clean.
    EXPECT_TRUE(shown(item("cleanPreviewEmpty")));
}

TEST_F(CleanViewEndToEnd, AnEditedProtectionListIsSavedReloadedAndHonoured)
{
    open();
    view().click(item("cleanProtectionButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("cleanProtectionEditor")); }));
    QQuickItem* editor = item("cleanProtectionEditor");
    EXPECT_EQ(textOf(editor).split(QLatin1Char('\n')), CleanWhitelistStore::defaultPatterns());
    // Replace the list with one pattern, typed.
    editor->forceActiveFocus();
    QTest::keyClick(&view().window(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view().window(), Qt::Key_Delete);
    typeText(view(), QStringLiteral("~/Library/Caches/app1"));
    view().click(item("cleanProtectionSave"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("cleanProtectionEditor")); }));
    QFile file(CleanWhitelistStore::configURL(home));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("~/Library/Caches/app1"));

    view().model().setCleanWhitelistText(QStringLiteral("stale"));
    view().click(item("cleanProtectionButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("cleanProtectionEditor")); }));
    EXPECT_EQ(textOf(item("cleanProtectionEditor")), QStringLiteral("~/Library/Caches/app1"));
    view().click(item("cleanProtectionCancel"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("cleanProtectionEditor")); }));

    // The preview leaves the protected app1 out (and JetBrains, no longer protected, in).
    preview();
    const QStringList details = textsOf("cleanRowDetail");
    ASSERT_FALSE(details.isEmpty());
    EXPECT_TRUE(details[0].endsWith(QStringLiteral(", 3 items"))) << details[0].toStdString();
    cleanThroughConfirmation();
    EXPECT_TRUE(exists(at("Library/Caches/app1/deep/blob")));
    EXPECT_FALSE(exists(at("Library/Caches/JetBrains")));
    EXPECT_TRUE(exists(precious));
}

// The same road inside the window: the sidebar opens Smart Clean, and the clean runs only after
// Continue in the root view's confirmation (Cancel first leaves everything in place).
TEST_F(CleanViewEndToEnd, InTheWindowThroughTheRootViewsConfirmation)
{
    ASSERT_NE(view().load(QStringLiteral("Roror.Shell"), QStringLiteral("ContentView")), nullptr)
        << view().warnings().join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(settleUntil(
        view(), [&] { return !view().model().updateStatusDetail().isEmpty() && !view().model().isRunning(); }));
    view().click(view().find(QStringLiteral("sidebar.clean")));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("cleanPreviewButton")); }));
    preview();
    EXPECT_EQ(shownPaths(), (QStringList{at("Library/Caches"), at("Library/Logs")}));

    QQuickItem* alert = view().find(QStringLiteral("confirmationAlert"));
    ASSERT_NE(alert, nullptr);
    // The alert's card is built when it is first shown, so its buttons are looked up each time.
    const auto alertButton = [&](const char* name) {
        QList<QQuickItem*> found;
        std::function<void(QQuickItem*)> walk = [&](QQuickItem* i) {
            if (!i)
                return;
            if (i->objectName() == QLatin1String(name))
                found << i;
            for (QQuickItem* c : i->childItems())
                walk(c);
        };
        walk(alert);
        return found.value(0);
    };

    view().click(item("cleanStartButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return alert->property("opened").toBool(); }));
    view().click(alertButton("alertCancel"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !alert->property("visible").toBool(); }));
    view().settle();
    EXPECT_FALSE(view().model().isRunning());
    EXPECT_TRUE(exists(at("Library/Caches/app2.db")));
    EXPECT_EQ(view().model().lastCleanDate(), 0);

    view().click(item("cleanStartButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return alert->property("opened").toBool(); }));
    view().click(alertButton("alertAccept"));
    ASSERT_TRUE(settleUntil(
        view(), [&] { return view().model().lastCleanDate() > 0 && !view().model().isRunning(); }, 30000));
    for (const char* gone :
         {"Library/Caches/app1", "Library/Caches/app2.db", "Library/Caches/link-out", "Library/Logs/a.log"})
        EXPECT_FALSE(exists(at(gone))) << gone;
    EXPECT_TRUE(exists(at("Library/Caches/JetBrains/index")));
    EXPECT_TRUE(exists(at("Documents/notes.txt")));
    EXPECT_TRUE(exists(precious));
    EXPECT_TRUE(textOf(item("cleanLastRun")).endsWith(QStringLiteral(" · 5 items")));
}

} // namespace
} // namespace roror::test
