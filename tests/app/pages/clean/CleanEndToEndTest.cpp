#include "app/pages/clean/CleanPage.h"
#include "app/pages/clean/CleanProtectionEditor.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "tests/app/model/ModelTestSupport.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace roror;
using namespace roror::test;

namespace {

bool exists(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// A home with caches, logs, protected caches, a link out of the home and files the clean never
// looks at; the real engines run over it.
class CleanEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        const QByteArray blob(6000, 'c');
        for (const char* path :
             {"Library/Caches/app1/blob", "Library/Caches/app1/deep/er/blob", "Library/Caches/app2.db",
              "Library/Caches/JetBrains/index", "Library/Caches/keep-me/important", "Library/Logs/a.log",
              "Library/Logs/old/b.log", "Documents/notes.txt"})
            env.writeFile(QString::fromUtf8(path), blob);
        precious = env.writeFile(env.outside() + QStringLiteral("/precious/data"), blob);
        QFile::link(env.outside() + QStringLiteral("/precious"), home(QStringLiteral("Library/Caches/link-out")));
        services = AppModelServices::real();
        services.homePath = [h = env.home()] { return h; };
    }

    QString home(const QString& relative) const { return env.home() + QLatin1Char('/') + relative; }

    static QString noteOf(const AppModel& model, const QString& path)
    {
        const auto report = model.cleanPreviewReport();
        for (const auto& e : report ? report->entries : QList<CleanPreviewReport::Entry>{}) {
            if (e.path == path)
                return e.note.value_or(QString());
        }
        return {};
    }

    // Previews from the page and waits for the report.
    void preview(AppModel& model, CleanPage& page)
    {
        page.preview();
        ASSERT_TRUE(spinUntil([&] { return page.busy(); }));
        ASSERT_TRUE(spinUntil([&] { return !model.isRunning() && page.hasReport(); }, 30000));
    }

    void cleanThroughConfirmation(AppModel& model, CleanPage& page)
    {
        page.startCleaning();
        drainEvents();
        ASSERT_TRUE(model.pendingAction());
        EXPECT_TRUE(exists(home(QStringLiteral("Library/Caches/app2.db")))) << "nothing goes before the confirmation";
        bool started = false;
        const auto watch
            = QObject::connect(&model, &AppModel::isRunningChanged, &model, [&] { started |= model.isRunning(); });
        model.confirmPendingAction();
        ASSERT_TRUE(spinUntil([&] { return started && !model.isRunning(); }, 30000));
        QObject::disconnect(watch);
    }

    TestEnv env;
    AppModelServices services;
    QString precious;
};

TEST_F(CleanEndToEnd, PreviewThenCleanRemovesExactlyTheCleanableFiles)
{
    AppModel model(services);
    CleanPage page;
    page.setModel(&model);
    ASSERT_TRUE(page.showsContract());
    preview(model, page);

    const CleanPreviewReport report = *model.cleanPreviewReport();
    ASSERT_EQ(page.rows()->rowCount(), report.entries.size());
    QStringList cleanable;
    for (int i = 0; i < page.rows()->rowCount(); ++i) {
        const QModelIndex row = page.rows()->index(i);
        const auto& e = report.entries.at(i);
        EXPECT_EQ(field(row, "path").toString(), e.path);
        EXPECT_EQ(field(row, "statusColor").value<QColor>(), page.rows()->colorOf(e.status));
        if (e.status == CleanPreviewEntryStatus::cleanable)
            cleanable.append(e.path);
    }
    EXPECT_EQ(cleanable, (QStringList{home(QStringLiteral("Library/Caches")), home(QStringLiteral("Library/Logs"))}));
    // Everything but the default-protected JetBrains caches is counted: app1 with its three
    // folders and two files, app2.db, keep-me and its file; the link is not counted.
    EXPECT_TRUE(noteOf(model, home(QStringLiteral("Library/Caches"))).endsWith(QStringLiteral(", 8 items")));
    ASSERT_TRUE(report.summary && !report.summary->isEmpty());
    EXPECT_EQ(page.summaryText(), *report.summary);
    EXPECT_TRUE(page.showsPreview());

    cleanThroughConfirmation(model, page);
    for (const char* gone : {"Library/Caches/app1", "Library/Caches/app2.db", "Library/Caches/keep-me",
                             "Library/Caches/link-out", "Library/Logs/a.log", "Library/Logs/old"})
        EXPECT_FALSE(exists(home(QString::fromUtf8(gone)))) << gone;
    for (const char* kept : {"Library/Caches", "Library/Logs", "Library/Caches/JetBrains/index", "Documents/notes.txt"})
        EXPECT_TRUE(exists(home(QString::fromUtf8(kept)))) << kept;
    EXPECT_TRUE(exists(precious)) << "the link's target is never followed";
    EXPECT_TRUE(QFileInfo(env.outside() + QStringLiteral("/precious")).isDir());

    // Four items left the caches and two the logs; the page says so.
    EXPECT_EQ(model.lastCleanCount(), 6);
    page.setClock([&model] { return QDateTime::fromMSecsSinceEpoch(qint64(model.lastCleanDate() * 1000) + 60000); });
    EXPECT_EQ(page.lastCleanText(), QStringLiteral("Last cleaned 1 min. ago · 6 items"));
    EXPECT_EQ(page.headerSymbol(), QStringLiteral("clock.arrow.circlepath"));
    // The report taken again after the clean lists only what is left.
    const auto fresh = model.cleanPreviewReport();
    ASSERT_TRUE(fresh);
    QStringList after;
    for (const auto& e : fresh->entries)
        after.append(e.path);
    // What is left in the caches is protected, so neither location has anything to clean.
    EXPECT_FALSE(after.contains(home(QStringLiteral("Library/Caches"))));
    EXPECT_FALSE(after.contains(home(QStringLiteral("Library/Logs"))));
}

TEST_F(CleanEndToEnd, AnEditedProtectionListIsSavedReloadedAndHonoured)
{
    AppModel model(services);
    CleanPage page;
    CleanProtectionEditor editor;
    page.setModel(&model);
    editor.setModel(&model);

    page.openProtectionList();
    ASSERT_TRUE(model.showingCleanProtectionSheet());
    EXPECT_EQ(editor.text().split(QLatin1Char('\n')), CleanWhitelistStore::defaultPatterns());
    editor.setText(QStringLiteral("  ~/Library/Caches/keep-me \n\n$HOME/Library/Caches/app1\n"));
    ASSERT_TRUE(editor.file()->save());
    EXPECT_FALSE(model.showingCleanProtectionSheet());
    ASSERT_TRUE(QFileInfo::exists(CleanWhitelistStore::configURL(env.home())));

    // Opening it again reads the saved file.
    model.setCleanWhitelistText(QStringLiteral("stale"));
    page.openProtectionList();
    EXPECT_EQ(editor.text(), QStringLiteral("~/Library/Caches/keep-me\n$HOME/Library/Caches/app1"));
    editor.file()->cancel();

    // The preview leaves out what the new list covers: of the caches only app2.db and JetBrains
    // (no longer protected, folder and file) are counted; the clean then spares the list.
    preview(model, page);
    EXPECT_EQ(noteOf(model, home(QStringLiteral("Library/Caches"))),
              QStringLiteral("User app caches · 16 KB, 3 items"));
    cleanThroughConfirmation(model, page);
    EXPECT_TRUE(exists(home(QStringLiteral("Library/Caches/keep-me/important"))));
    EXPECT_TRUE(exists(home(QStringLiteral("Library/Caches/app1/deep/er/blob"))));
    // The saved list replaced the defaults, so JetBrains is no longer protected.
    EXPECT_FALSE(exists(home(QStringLiteral("Library/Caches/JetBrains"))));
    EXPECT_FALSE(exists(home(QStringLiteral("Library/Caches/app2.db"))));
    EXPECT_TRUE(exists(precious));
}

TEST_F(CleanEndToEnd, AnUnreadableListIsNeitherSavedOverNorCleanedPast)
{
    const QByteArray broken("~/Library/Caches/keep-me\n\xff\xfe\n");
    env.writeFile(QStringLiteral(".config/roror/whitelist"), broken);
    AppModel model(services);
    CleanPage page;
    CleanProtectionEditor editor;
    page.setModel(&model);
    editor.setModel(&model);

    page.openProtectionList();
    EXPECT_TRUE(editor.file()->loadFailed());
    EXPECT_FALSE(editor.file()->save());
    EXPECT_TRUE(model.showingCleanProtectionSheet());
    QFile file(CleanWhitelistStore::configURL(env.home()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), broken);
    editor.file()->cancel();

    preview(model, page);
    cleanThroughConfirmation(model, page);
    EXPECT_TRUE(exists(home(QStringLiteral("Library/Caches/app2.db"))));
    EXPECT_TRUE(exists(home(QStringLiteral("Library/Logs/a.log"))));
    EXPECT_EQ(model.lastCleanDate(), 0);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Cleanup Stopped"));
}

} // namespace
