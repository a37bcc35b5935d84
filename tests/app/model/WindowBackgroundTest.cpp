#include "app/model/WindowBackgroundStore.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace roror;
using namespace roror::test;

namespace {

class WindowBackground : public ::testing::Test {
protected:
    void SetUp() override { useLanguage(AppLanguagePreference::english); }

    QString folder() const { return env.home() + QStringLiteral("/.local/share/Roror/WindowBackground"); }
    QStringList installed() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                        QDir::Name);
    }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestEnv env;
};

TEST_F(WindowBackground, StorageFolderIsUnderApplicationDataAndIsCreated)
{
    const auto dir = WindowBackgroundStore::storageDirectory();
    ASSERT_TRUE(dir);
    EXPECT_EQ(*dir, folder());
    EXPECT_TRUE(QFileInfo(folder()).isDir());
}

TEST_F(WindowBackground, InstalledCopyIsNamedWithAnUpperCaseUuidAndTheLowerCaseExtension)
{
    const struct {
        const char* source;
        const char* extension;
    } cases[] = {{"Pictures/Sky.PNG", "png"}, {"Pictures/plain", "jpg"}, {"Pictures/photo.jpeg", "jpeg"}};
    const QRegularExpression uuid(
        QStringLiteral("^wallpaper-[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\.(.+)$"));
    for (const auto& c : cases) {
        const QString source = env.writeFile(QString::fromUtf8(c.source), QByteArray("image bytes ") + c.source);
        QString error;
        const auto copy = WindowBackgroundStore::installImage(source, &error);
        ASSERT_TRUE(copy) << c.source << qPrintable(error);
        const auto match = uuid.match(QFileInfo(*copy).fileName());
        ASSERT_TRUE(match.hasMatch()) << qPrintable(*copy);
        EXPECT_EQ(match.captured(1), QString::fromUtf8(c.extension));
        EXPECT_EQ(read(*copy), read(source)); // bytes kept as they are
        EXPECT_EQ(installed(), QStringList{QFileInfo(*copy).fileName()}) << c.source;
    }
}

TEST_F(WindowBackground, ChoosingTwiceKeepsOnlyTheSecondAndCountsTwoRevisions)
{
    env.makeDir(folder());
    env.writeFile(folder() + QStringLiteral("/wallpaper.old"), "stray");
    env.writeFile(folder() + QStringLiteral("/.wallpaper-hidden"), "not ours: the name starts with a dot");
    env.writeFile(folder() + QStringLiteral("/notes.txt"), "keep");
    env.makeDir(folder() + QStringLiteral("/wallpaper-dir/inner"));
    // A link named like an image is removed as a link; its target outside stays.
    const QString canary = env.writeFile(env.outside() + QStringLiteral("/canary.png"), "canary");
    ASSERT_EQ(::symlink(QFile::encodeName(canary).constData(),
                        QFile::encodeName(folder() + QStringLiteral("/wallpaper-link.png")).constData()),
              0);

    AppModel model(fakeServices(env));
    QSignalSpy revision(&model, &AppModel::windowBackgroundRevisionChanged);
    const QString first = env.writeFile(QStringLiteral("a.png"), "first");
    const QString second = env.writeFile(QStringLiteral("b.gif"), "second");
    model.chooseWindowBackgroundImage(first);
    model.chooseWindowBackgroundImage(second);

    EXPECT_EQ(model.windowBackgroundRevision(), 2);
    EXPECT_EQ(revision.count(), 2);
    const QString stored = model.customWindowBackgroundPath();
    EXPECT_TRUE(stored.endsWith(QStringLiteral(".gif")));
    EXPECT_EQ(read(stored), QByteArray("second"));
    EXPECT_EQ(
        installed(),
        (QStringList{QStringLiteral(".wallpaper-hidden"), QStringLiteral("notes.txt"), QFileInfo(stored).fileName()}));
    EXPECT_EQ(read(canary), QByteArray("canary"));
    ASSERT_TRUE(model.customWindowBackgroundURL());
    EXPECT_EQ(model.customWindowBackgroundURL()->toLocalFile(), stored);
    // The copy, not the chosen file, is what is shown.
    QFile::remove(second);
    EXPECT_TRUE(model.customWindowBackgroundURL());
}

TEST_F(WindowBackground, ChoosingTheInstalledImageAgainKeepsAWorkingImage)
{
    AppModel model(fakeServices(env));
    model.chooseWindowBackgroundImage(env.writeFile(QStringLiteral("a.png"), "first"));
    const QString installedPath = model.customWindowBackgroundPath();
    model.chooseWindowBackgroundImage(installedPath);
    EXPECT_FALSE(model.alertMessage());
    EXPECT_NE(model.customWindowBackgroundPath(), installedPath);
    EXPECT_EQ(read(model.customWindowBackgroundPath()), QByteArray("first"));
    EXPECT_EQ(installed().size(), 1);
}

TEST_F(WindowBackground, AFailedChoiceAlertsWithThePrefixAndKeepsTheCurrentImage)
{
    for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        useLanguage(language);
        AppModel model(fakeServices(env));
        model.chooseWindowBackgroundImage(env.writeFile(QStringLiteral("a.png"), "first"));
        const QString current = model.customWindowBackgroundPath();
        model.chooseWindowBackgroundImage(env.home() + QStringLiteral("/missing.png"));
        ASSERT_TRUE(model.alertMessage());
        EXPECT_TRUE(model.alertMessage()->startsWith(language == AppLanguagePreference::english
                                                         ? QStringLiteral("Could not set the background image: ")
                                                         : QStringLiteral("无法设置背景图片：")))
            << qPrintable(*model.alertMessage());
        EXPECT_EQ(model.customWindowBackgroundPath(), current);
        EXPECT_EQ(model.windowBackgroundRevision(), 1);
        EXPECT_TRUE(model.customWindowBackgroundURL());
    }
}

TEST_F(WindowBackground, AStorageFolderThatCannotBeMadeIsReportedInTheUsersLanguage)
{
    env.writeFile(env.home() + QStringLiteral("/.local/share/Roror"), "a file where the folder belongs");
    const QString source = env.writeFile(QStringLiteral("a.png"), "first");
    const struct {
        AppLanguagePreference language;
        const char* message;
    } cases[] = {
        {AppLanguagePreference::english, "Could not set the background image: Could not create the folder "},
        {AppLanguagePreference::chinese, "无法设置背景图片：无法创建文件夹 "},
    };
    for (const auto& c : cases) {
        useLanguage(c.language);
        AppModel model(fakeServices(env));
        model.chooseWindowBackgroundImage(source);
        ASSERT_TRUE(model.alertMessage());
        EXPECT_TRUE(model.alertMessage()->startsWith(QString::fromUtf8(c.message)))
            << qPrintable(*model.alertMessage());
        EXPECT_EQ(model.customWindowBackgroundPath(), QString());
        EXPECT_EQ(model.windowBackgroundRevision(), 0);
    }
}

TEST_F(WindowBackground, ClearingForgetsRemovesAndCountsEvenWithNothingChosen)
{
    AppModel fresh(fakeServices(env));
    fresh.clearWindowBackgroundImage();
    EXPECT_TRUE(QFileInfo(folder()).isDir());
    EXPECT_EQ(fresh.customWindowBackgroundPath(), QString());
    EXPECT_EQ(fresh.windowBackgroundRevision(), 1);

    AppModel model(fakeServices(env));
    model.chooseWindowBackgroundImage(env.writeFile(QStringLiteral("a.png"), "first"));
    env.writeFile(folder() + QStringLiteral("/other.txt"), "stays");
    model.clearWindowBackgroundImage();
    EXPECT_EQ(model.customWindowBackgroundPath(), QString());
    EXPECT_FALSE(model.customWindowBackgroundURL());
    EXPECT_EQ(model.windowBackgroundRevision(), 2);
    EXPECT_EQ(installed(), QStringList{QStringLiteral("other.txt")});
}

TEST_F(WindowBackground, SanitizeForgetsAMissingImageOnlyAndLeavesTheRevision)
{
    AppModel model(fakeServices(env));
    QSignalSpy path(&model, &AppModel::customWindowBackgroundPathChanged);
    model.sanitizeWindowBackgroundPathIfNeeded(); // empty path: nothing
    EXPECT_EQ(path.count(), 0);

    model.chooseWindowBackgroundImage(env.writeFile(QStringLiteral("a.png"), "first"));
    model.sanitizeWindowBackgroundPathIfNeeded(); // file present: kept
    EXPECT_FALSE(model.customWindowBackgroundPath().isEmpty());

    QFile::remove(model.customWindowBackgroundPath());
    EXPECT_FALSE(model.customWindowBackgroundURL());
    model.sanitizeWindowBackgroundPathIfNeeded();
    EXPECT_EQ(model.customWindowBackgroundPath(), QString());
    EXPECT_EQ(model.windowBackgroundRevision(), 1);
}

} // namespace

TEST_F(WindowBackground, AStorageFolderThatIsALinkIsRefusedAndItsTargetKept)
{
    const QString elsewhere = env.outside() + QStringLiteral("/pictures");
    QDir().mkpath(elsewhere);
    const QString canary = env.writeFile(elsewhere + QStringLiteral("/wallpaper-mine.png"), "keep");
    QDir().mkpath(env.home() + QStringLiteral("/.local/share/Roror"));
    ASSERT_TRUE(QFile::link(elsewhere, folder()));
    const QString source = env.writeFile(QStringLiteral("new.png"), "img");

    QString error;
    EXPECT_FALSE(WindowBackgroundStore::installImage(source, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WindowBackgroundStore::storageDirectory());
    EXPECT_EQ(read(canary), QByteArray("keep"));
}
