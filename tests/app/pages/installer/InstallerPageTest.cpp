#include "app/pages/installer/InstallerPage.h"
#include "app/pages/installer/InstallerTexts.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

using Entry = InstallerPreviewReport::Entry;

Entry file(const QString& path, qint64 bytes)
{
    Entry e;
    e.id = QUuid::createUuid();
    e.path = path;
    e.name = path.section(QLatin1Char('/'), -1);
    e.source = QStringLiteral("Downloads");
    e.byteCount = bytes;
    return e;
}

struct InstallerFixture : PageFixture<InstallerPage> {
    InstallerFixture()
    {
        services.installerPreview = [this](const QString&) { return gate.future(); };
        services.moveToTrash = [this](const QString& path, const QString&, QString*) {
            trashed.add(path);
            return true;
        };
    }
    void answer(const QList<Entry>& entries)
    {
        ASSERT_TRUE(spinUntil([this] { return gate.waiting() > 0; }));
        gate.resolve(InstallerPreviewReport(entries, fixedNow()));
        ASSERT_TRUE(spinUntil([this] { return !model->isRunning(); }));
    }
    QString downloads(const char* name) const { return env.home() + QStringLiteral("/Downloads/") + name; }
    Gate<InstallerPreviewReport> gate;
    Recorder trashed;
};

} // namespace

TEST(InstallerTexts, LinesInBothLanguages)
{
    const auto en = AppResolvedLanguage::english;
    const auto zh = AppResolvedLanguage::chinese;
    const QDateTime now = fixedNow();
    const double yesterday = double(now.addDays(-1).toSecsSinceEpoch());
    EXPECT_FALSE(InstallerTexts::lastScanText(0, 1, 1, now, en, en));
    EXPECT_EQ(InstallerTexts::lastScanText(yesterday, 1, 0, now, en, en),
              QStringLiteral("Last cleanup 1 day ago · 1 files · freed 0 KB"));
    EXPECT_EQ(InstallerTexts::lastScanText(yesterday, 2, 3'000'000'000, now, zh, zh),
              QStringLiteral("上次整理 1天前 · 清理 2 个 · 释放 3 GB"));

    EXPECT_EQ(InstallerTexts::summaryText(0, "0 KB", true, en),
              QStringLiteral("No obvious installer files were found."));
    EXPECT_EQ(InstallerTexts::summaryText(3, "1.2 GB", true, en),
              QStringLiteral("Selected files can be moved to Trash together."));
    EXPECT_EQ(InstallerTexts::summaryText(3, "1.2 GB", false, en), QStringLiteral("3 files, total 1.2 GB."));
    EXPECT_EQ(InstallerTexts::summaryText(3, "1.2 GB", false, zh), QStringLiteral("3 个，合计 1.2 GB。"));
    EXPECT_EQ(InstallerTexts::selectionLine(0, "0 KB", en), QStringLiteral("0 selected · 0 KB"));
    EXPECT_EQ(InstallerTexts::selectionLine(2, "5 MB", zh), QStringLiteral("已选 2 个 · 5 MB"));
    EXPECT_EQ(InstallerTexts::filterCountText(0, en), QStringLiteral("0 selected"));
    EXPECT_EQ(InstallerTexts::filterCountText(0, zh), QStringLiteral("已选中 0 个"));
    EXPECT_EQ(InstallerTexts::contractSubtitle(3, en), QStringLiteral("Checks 3 locations"));
    EXPECT_EQ(InstallerTexts::contractSubtitle(0, zh), QStringLiteral("共检查 0 处位置"));
    EXPECT_EQ(
        InstallerTexts::confirmationMessage(2, "5 MB", en),
        QStringLiteral(
            "The selected 2 installer files will be moved to Trash, not permanently deleted.\n\nTotal size: 5 MB."));
    EXPECT_EQ(InstallerTexts::confirmationMessage(2, "5 MB", zh),
              QStringLiteral("会把选中的 2 个安装包移到废纸篓，不会直接永久删除。\n\n合计 5 MB。"));
}

TEST(InstallerTexts, KindIsTheExtensionInCapitals)
{
    const struct {
        const char* path;
        const char* english;
        const char* chinese;
    } cases[] = {
        {"/d/Setup.dmg", "DMG", "DMG"},    {"/d/Tool.appinstaller", "APPINSTALLER", "APPINSTALLER"},
        {"/d/archive.tar.gz", "GZ", "GZ"}, {"/d/Profile.MobileConfig", "MOBILECONFIG", "MOBILECONFIG"},
        {"/d/README", "File", "文件"},     {"/d/name.", "File", "文件"},
        {"/d/.hidden", "File", "文件"},    {"/d.d/plain", "File", "文件"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InstallerTexts::installerKind(QString::fromUtf8(c.path), AppResolvedLanguage::english),
                  QString::fromUtf8(c.english))
            << c.path;
        EXPECT_EQ(InstallerTexts::installerKind(QString::fromUtf8(c.path), AppResolvedLanguage::chinese),
                  QString::fromUtf8(c.chinese))
            << c.path;
    }
}

TEST(InstallerPage, ContractCardListsOnlyExistingLocations)
{
    InstallerFixture f;
    f.env.makeDir(QStringLiteral("Downloads"));
    f.env.makeDir(QStringLiteral("Library/Caches/Homebrew"));
    f.env.makeDir(QStringLiteral("Desktop"));
    InstallerPage& page = f.start();
    EXPECT_EQ(page.scanLocationSources(), (QStringList{"Downloads", "Desktop", "Homebrew"}));
    EXPECT_EQ(page.contractSubtitle(), QStringLiteral("Checks 3 locations"));
    EXPECT_EQ(page.fileTypeTexts(),
              (QStringList{".dmg", ".pkg", ".mpkg", ".iso", ".xip", ".zip", ".appinstaller", ".mobileconfig"}));
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(page.scanLocationSources(), (QStringList{"下载", "桌面", "Homebrew"}));
    EXPECT_EQ(page.contractSubtitle(), QStringLiteral("共检查 3 处位置"));
}

TEST(InstallerPage, SelectionModeSizesAndPruning)
{
    InstallerFixture f;
    InstallerPage& page = f.start();
    const QString a = f.downloads("a.dmg"), b = f.downloads("b.pkg"), c = f.downloads("c.zip");

    // Choosing files with no report turns the mode on, empties the selection and previews.
    page.enterInstallerSelection();
    EXPECT_TRUE(page.isSelectingInstallers());
    f.answer({file(a, 3'000'000), file(b, 2'000'000), file(c, 1'000'000)});
    EXPECT_EQ(page.summaryText(), QStringLiteral("Selected files can be moved to Trash together."));
    EXPECT_EQ(page.selectionLine(), QStringLiteral("0 selected · 0 KB"));
    EXPECT_EQ(column(*page.entries(), "kind"), (QStringList{"DMG", "PKG", "ZIP"}));

    page.setSelected(a, true);
    page.setSelected(c, true);
    EXPECT_EQ(page.selectionLine(), QStringLiteral("2 selected · 4 MB"));
    EXPECT_EQ(page.filterCountText(), QStringLiteral("2 selected"));
    EXPECT_EQ(column(*page.entries(), "selected"), (QStringList{"true", "false", "true"}));
    EXPECT_EQ(
        page.confirmationMessage(),
        QStringLiteral(
            "The selected 2 installer files will be moved to Trash, not permanently deleted.\n\nTotal size: 4 MB."));

    // A rescan without a.dmg drops it; selection mode stays on.
    page.preview();
    f.answer({file(b, 2'000'000), file(c, 1'000'000)});
    EXPECT_EQ(page.selectedInstallerPaths(), QSet<QString>{c});
    EXPECT_EQ(page.selectedBytes(), 1'000'000);

    page.selectAll();
    EXPECT_EQ(page.selectedCount(), 2);
    page.clearSelection();
    EXPECT_EQ(page.selectedCount(), 0);
    EXPECT_TRUE(page.isSelectingInstallers());
}

TEST(InstallerPage, ChoosingFilesOnAnEmptyReportClearsAndPreviewsAgain)
{
    InstallerFixture f;
    InstallerPage& page = f.start();
    page.preview();
    f.answer({});
    EXPECT_TRUE(page.hasReport());
    EXPECT_EQ(page.summaryText(), QStringLiteral("No obvious installer files were found."));
    page.enterInstallerSelection();
    EXPECT_TRUE(page.isSelectingInstallers());
    ASSERT_TRUE(spinUntil([&] { return f.gate.waiting() > 0; }));
    f.answer({file(f.downloads("x.iso"), 10)});
    EXPECT_EQ(page.entryCount(), 1);
}

TEST(InstallerPage, MoveToTrashHandsOverTheSelectionAndLeavesTheMode)
{
    InstallerFixture f;
    InstallerPage& page = f.start();
    const QString a = f.downloads("a.dmg"), b = f.downloads("b.pkg"), c = f.downloads("c.zip");
    page.preview();
    f.answer({file(a, 3'000'000), file(b, 2'000'000), file(c, 1'000'000)});
    page.enterInstallerSelection();

    // With nothing selected the alert's button moves nothing.
    page.requestDelete();
    page.confirmDelete();
    EXPECT_TRUE(f.trashed.items().isEmpty());
    EXPECT_FALSE(f.model->alertMessage().has_value());
    page.cancelDelete();
    EXPECT_FALSE(page.showingDeleteConfirmation());

    page.setSelected(c, true);
    page.setSelected(a, true);
    page.requestDelete();
    EXPECT_TRUE(page.showingDeleteConfirmation());
    page.confirmDelete();
    // The page leaves selection mode at once; the move itself runs off the GUI thread.
    EXPECT_FALSE(page.showingDeleteConfirmation());
    EXPECT_FALSE(page.isSelectingInstallers());
    EXPECT_EQ(page.selectedCount(), 0);
    ASSERT_TRUE(spinUntil([&] { return f.trashed.items().size() == 2 && !f.model->isRunning(); }));
    EXPECT_EQ(f.trashed.items(), (QStringList{a, c}));
    EXPECT_EQ(column(*page.entries(), "path"), QStringList{b});
    EXPECT_EQ(page.lastScanText(), QStringLiteral("Last cleanup in 0 sec. · 2 files · freed 4 MB"));
    EXPECT_EQ(page.summaryText(), QStringLiteral("1 files, total 2 MB."));
}
