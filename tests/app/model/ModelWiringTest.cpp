#include "core/model/AppActionFactory.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

// The model with its real engines, probes and stores, against a fake home and without a feed.
TEST(ModelWiring, RealServicesRunStartupAndEveryPreviewAgainstAFakeHome)
{
    TestEnv env;
    useLanguage(AppLanguagePreference::english);
    const QByteArray feed = qgetenv("ROROR_UPDATE_FEED_URL");
    qunsetenv("ROROR_UPDATE_FEED_URL");
    env.writeFile(QStringLiteral("Downloads/setup.dmg"), QByteArray(4096, 'x'));
    env.writeFile(QStringLiteral("Library/Caches/com.example/blob"), QByteArray(2048, 'y'));

    {
        AppModel model;
        ASSERT_TRUE(finish(model.runStartupSequence()));
        EXPECT_TRUE(model.statusReport());
        EXPECT_FALSE(model.processUsage().isEmpty());
        EXPECT_FALSE(model.alertMessage());
        EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("The update feed URL has not been configured."));

        for (const AppAction& action :
             {AppActionFactory::clean(true, false), AppActionFactory::uninstall(true, false),
              AppActionFactory::optimize(true, false), AppActionFactory::installer(true, false),
              AppActionFactory::purge(true, false)}) {
            ASSERT_TRUE(finish(model.execute(action))) << qPrintable(action.arguments.join(QLatin1Char(' ')));
        }
        EXPECT_TRUE(model.cleanPreviewReport());
        EXPECT_TRUE(model.uninstallPreviewReport());
        EXPECT_TRUE(model.optimizePreviewReport());
        ASSERT_TRUE(model.installerPreviewReport());
        EXPECT_EQ(model.installerPreviewReport()->entries().size(), 1);
        EXPECT_TRUE(model.purgePreviewReport());

        model.analyzePath(env.home());
        ASSERT_TRUE(spinUntil([&] { return model.analysisReport().has_value() && !model.isRunning(); }));
        EXPECT_EQ(model.lastAnalysisPathStored(), env.home());
        EXPECT_GT(model.lastAnalysisTotalFiles(), 0);

        ASSERT_TRUE(finish(model.moveInstallersToTrash({env.home() + QStringLiteral("/Downloads/setup.dmg")})));
        EXPECT_EQ(model.statusDetail(), QStringLiteral("Moved 1 installer files."));
        EXPECT_TRUE(model.installerPreviewReport()->entries().isEmpty());
    }
    if (!feed.isNull())
        qputenv("ROROR_UPDATE_FEED_URL", feed);
}

} // namespace

namespace {

// The platform Trash must never fall back to the working folder when the data folder is missing.
TEST(ModelWiring, TrashMovesLandInTheHomeTrashEvenWithoutADataFolder)
{
    TestEnv env;
    useLanguage(AppLanguagePreference::english);
    const QString dataFolder = env.home() + QStringLiteral("/.local/share");
    ASSERT_FALSE(QFileInfo::exists(dataFolder));
    const QString work = env.makeDir(env.outside() + QStringLiteral("/work"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work));

    const QString item = env.writeFile(QStringLiteral("Downloads/old.pkg"), "pkg");
    QString error;
    const bool moved = AppModelServices::real().moveToTrash(item, QFileInfo(item).absolutePath(), &error);
    QDir::setCurrent(previous);

    ASSERT_TRUE(moved) << qPrintable(error);
    EXPECT_FALSE(QFileInfo::exists(item));
    EXPECT_TRUE(QFileInfo::exists(dataFolder + QStringLiteral("/Trash/files/old.pkg")));
    EXPECT_TRUE(QDir(work).isEmpty());
}

} // namespace

namespace {

// "~/Downloads/link/../twin.dmg" reads as a file in the Downloads folder, but the kernel walks the
// link first and lands outside the home. The guard and the move must agree on one path.
TEST(ModelWiring, AMoveThroughALinkAndDotDotIsRefusedAndTouchesNothingTable)
{
    for (const bool twinInside : {true, false}) {
        SCOPED_TRACE(twinInside ? "a same-named file inside the home" : "nothing of that name inside");
        TestEnv env;
        useLanguage(AppLanguagePreference::english);
        const QString outsideFile = env.writeFile(env.outside() + QStringLiteral("/dir/twin.dmg"), "outside");
        env.makeDir(env.outside() + QStringLiteral("/dir/inner"));
        env.makeDir(QStringLiteral("Downloads"));
        ASSERT_TRUE(
            QFile::link(env.outside() + QStringLiteral("/dir/inner"), env.home() + QStringLiteral("/Downloads/link")));
        const QString insideFile = env.home() + QStringLiteral("/Downloads/twin.dmg");
        if (twinInside)
            env.writeFile(insideFile, "inside");
        const QString work = env.makeDir(env.outside() + QStringLiteral("/work"));
        const QString previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(work));

        const QString tricky = env.home() + QStringLiteral("/Downloads/link/../twin.dmg");
        {
            AppModel model;
            model.moveToTrash(tricky, AppFeature::analyze);
            // Moves run off the GUI thread; the refusal arrives with the batch's result.
            EXPECT_TRUE(spinUntil([&] { return model.alertMessage().has_value() && !model.isRunning(); }));
            EXPECT_EQ(model.alertMessage(),
                      QStringLiteral("This path is outside the allowed scope and cannot be moved to Trash."));
        }
        QString error;
        EXPECT_FALSE(
            AppModelServices::real().moveToTrash(tricky, env.home() + QStringLiteral("/Downloads/link/.."), &error));
        EXPECT_FALSE(error.isEmpty());
        QDir::setCurrent(previous);

        EXPECT_TRUE(QFileInfo::exists(outsideFile));
        EXPECT_EQ(QFileInfo::exists(insideFile), twinInside);
        EXPECT_TRUE(QDir(work).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            << "nothing is left in the working folder";
        EXPECT_FALSE(QFileInfo::exists(env.home() + QStringLiteral("/.local/share/Trash/files/twin.dmg")));
    }
}

} // namespace

namespace {

// Two installers whose names are not valid UTF-8 read as the same text as a third really named with
// the replacement mark. The listing shows the mark; every move of that text is refused, in both
// languages, and none of the three files is touched.
TEST(ModelWiring, NamesThatDoNotRoundTripAreListedButNeverMoved)
{
    TestEnv env;
    useLanguage(AppLanguagePreference::english);
    const QByteArray downloads = QFile::encodeName(env.makeDir(QStringLiteral("Downloads")));
    const QByteArrayList names{"setup-\xff.dmg", "setup-\xfe.dmg", "setup-\xEF\xBF\xBD.dmg"};
    for (const QByteArray& name : names) {
        const int fd = ::open((downloads + '/' + name).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    const auto allThere = [&] {
        for (const QByteArray& name : names) {
            struct stat st { };
            if (::lstat((downloads + '/' + name).constData(), &st) != 0)
                return false;
        }
        return true;
    };

    AppModel model;
    ASSERT_TRUE(finish(model.execute(AppActionFactory::installer(true, false))));
    ASSERT_TRUE(model.installerPreviewReport());
    QStringList marked;
    const InstallerPreviewReport listed = *model.installerPreviewReport();
    for (const auto& entry : listed.entries()) {
        if (entry.path.contains(QChar::ReplacementCharacter))
            marked.append(entry.path);
    }
    ASSERT_FALSE(marked.isEmpty());

    ASSERT_TRUE(finish(model.moveInstallersToTrash(marked)));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Not Completed"));
    ASSERT_TRUE(finish(model.moveToTrash(marked.first(), AppFeature::analyze)));
    EXPECT_EQ(model.alertMessage(), QStringLiteral("This name cannot be handled safely."));
    useLanguage(AppLanguagePreference::chinese);
    model.setAlertMessage(std::nullopt);
    ASSERT_TRUE(finish(model.moveToTrash(marked.first())));
    EXPECT_EQ(model.alertMessage(), QStringLiteral("此名称无法被安全处理。"));
    EXPECT_EQ(model.lastPurgeCleanedCount(), 0);
    EXPECT_TRUE(allThere());
    useLanguage(AppLanguagePreference::english);
    for (const QByteArray& name : names) // the temporary folder's own removal goes by text
        ::unlink((downloads + '/' + name).constData());
}

} // namespace
