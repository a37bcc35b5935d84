#include "app/pages/installer/InstallerPage.h"
#include "core/model/SizeText.h"
#include "tests/app/pages/PageTestSupport.h"
#include "tests/core/engines/installer/ZipWriter.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

// The real installer scan and the real Trash on a fake Downloads folder.
TEST(InstallerEndToEnd, SelectConfirmAndCheckOnDisk)
{
    PageFixture<InstallerPage> f;
    f.services = AppModelServices::real();
    const QString downloads = f.env.makeDir(QStringLiteral("Downloads"));
    writeBytes(f.env, downloads + "/Setup.dmg", 900'000);
    writeBytes(f.env, downloads + "/Tool.pkg", 500'000);
    ASSERT_TRUE(writeZip(downloads + "/Bundle.zip",
                         {{"Example.app/Contents/Info.plist", QByteArray(300'000, 'p')},
                          {"Example.app/Contents/MacOS/Example", "binary"}}));
    ASSERT_TRUE(writeZip(downloads + "/photos.zip", {{"holiday/beach.jpg", QByteArray(1'000'000, 'j')}}));
    writeBytes(f.env, downloads + "/readme.txt", 2'000'000);

    InstallerPage& page = f.start();
    page.setClock({});
    EXPECT_EQ(page.scanLocationSources(), QStringList{"Downloads"});
    page.enterInstallerSelection();
    ASSERT_TRUE(spinUntil([&] { return page.hasReport() && !page.busy(); }, 30000));
    EXPECT_TRUE(page.isSelectingInstallers());

    QStringList names;
    for (const auto& e : page.entries()->entries())
        names.append(e.name);
    // Installers only (the zip of photos holds none), largest first.
    ASSERT_EQ(names, (QStringList{"Setup.dmg", "Tool.pkg", "Bundle.zip"}));
    EXPECT_EQ(field(page.entries()->index(2), "kind").toString(), "ZIP");

    page.setSelected(downloads + "/Setup.dmg", true);
    page.setSelected(downloads + "/Bundle.zip", true);
    const qint64 selected = page.selectedBytes();
    EXPECT_EQ(selected, page.entries()->entries().at(0).byteCount + page.entries()->entries().at(2).byteCount);
    page.requestDelete();
    EXPECT_TRUE(page.confirmationMessage().endsWith(QStringLiteral("Total size: ") + SizeText::bytes(selected) + "."));
    page.confirmDelete();
    EXPECT_FALSE(page.isSelectingInstallers());
    ASSERT_TRUE(spinUntil([&] { return !f.model->isRunning() && page.entries()->rowCount() == 1; }, 30000));

    EXPECT_FALSE(QFileInfo::exists(downloads + "/Setup.dmg"));
    EXPECT_FALSE(QFileInfo::exists(downloads + "/Bundle.zip"));
    EXPECT_TRUE(QFileInfo::exists(downloads + "/Tool.pkg"));
    EXPECT_TRUE(QFileInfo::exists(downloads + "/photos.zip"));
    const auto trashed = trashedItems(f.env);
    EXPECT_EQ(QStringList(trashed.cbegin(), trashed.cend()).size(), 2);
    EXPECT_TRUE(trashed.values().contains(downloads + "/Setup.dmg"));
    EXPECT_TRUE(trashed.values().contains(downloads + "/Bundle.zip"));

    EXPECT_FALSE(page.isSelectingInstallers());
    EXPECT_EQ(page.selectedCount(), 0);
    ASSERT_EQ(page.entries()->rowCount(), 1);
    EXPECT_EQ(page.entries()->entries().at(0).name, QStringLiteral("Tool.pkg"));
    EXPECT_TRUE(page.lastScanText().endsWith(QStringLiteral(" · 2 files · freed ") + SizeText::bytes(selected)))
        << page.lastScanText().toStdString();
}
