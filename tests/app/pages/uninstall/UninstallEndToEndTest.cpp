#include "app/pages/uninstall/UninstallPage.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

QByteArray infoPlist(const char* name, const char* bundleID)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                      "<key>CFBundleName</key><string>")
        + name + "</string><key>CFBundleIdentifier</key><string>" + bundleID + "</string></dict></plist>\n";
}

} // namespace

// The real uninstall scan and the real Trash on fake app bundles with leftovers in the fake Library.
TEST(UninstallEndToEnd, SelectConfirmAppFirstThenLeftovers)
{
    PageFixture<UninstallPage> f;
    f.services = AppModelServices::real();
    const QString apps = f.env.makeDir(QStringLiteral("Applications"));
    const QString example = apps + "/Example.app";
    f.env.writeFile(example + "/Contents/Info.plist", infoPlist("Example", "com.example.Example"));
    writeBytes(f.env, example + "/Contents/MacOS/Example", 400'000);
    const QString other = apps + "/Other.app";
    f.env.writeFile(other + "/Contents/Info.plist", infoPlist("Other", "org.other.Other"));
    writeBytes(f.env, other + "/Contents/MacOS/Other", 100'000);
    const QString library = f.env.home() + "/Library";
    const QStringList leftovers{
        writeBytes(f.env, library + "/Caches/com.example.Example/cache.db", 30'000).section('/', 0, -2),
        writeBytes(f.env, library + "/Preferences/com.example.Example.plist", 1'000),
        writeBytes(f.env, library + "/Application Support/Example/state.json", 2'000).section('/', 0, -2),
    };
    const QString unrelated = writeBytes(f.env, library + "/Caches/org.other.Other/keep.db", 1'000);

    QStringList order;
    const auto realMove = f.services.moveToTrash;
    f.services.moveToTrash = [realMove, &order](const QString& path, const QString& folder, QString* error) {
        order.append(path);
        return realMove(path, folder, error);
    };

    UninstallPage& page = f.start();
    page.setClock({});
    page.enterUninstallSelection();
    ASSERT_TRUE(spinUntil([&] { return page.hasReport() && !page.busy(); }, 30000));
    ASSERT_EQ(page.entryCount(), 2);
    const auto entries = page.entries()->entries();
    const auto found = std::find_if(entries.cbegin(), entries.cend(), [&](const auto& e) { return e.path == example; });
    ASSERT_NE(found, entries.cend());
    for (const QString& leftover : leftovers)
        EXPECT_TRUE(found->leftoverPaths.contains(leftover)) << leftover.toStdString();

    page.setSelected(example, true);
    page.requestUninstall();
    EXPECT_TRUE(page.confirmationMessage().endsWith(QStringLiteral("\n\n1 app: Example.")));
    page.confirmUninstall();
    ASSERT_TRUE(spinUntil([&] { return !order.isEmpty() && !f.model->isRunning(); }, 30000));

    // The app goes first; its leftovers only after it.
    ASSERT_FALSE(order.isEmpty());
    EXPECT_EQ(order.first(), example);
    EXPECT_EQ(QSet<QString>(order.cbegin() + 1, order.cend()), QSet<QString>(leftovers.cbegin(), leftovers.cend()));
    const auto trashed = trashedItems(f.env);
    const QStringList originals(trashed.cbegin(), trashed.cend());
    EXPECT_TRUE(originals.contains(example));
    for (const QString& leftover : leftovers) {
        EXPECT_TRUE(originals.contains(leftover)) << leftover.toStdString();
        EXPECT_FALSE(QFileInfo::exists(leftover));
    }
    EXPECT_FALSE(QFileInfo::exists(example));
    EXPECT_TRUE(QFileInfo::exists(other + "/Contents/Info.plist"));
    EXPECT_TRUE(QFileInfo::exists(unrelated));

    EXPECT_FALSE(page.isSelectingApps());
    ASSERT_EQ(page.entryCount(), 1);
    EXPECT_EQ(page.entries()->entries().at(0).path, other);
    EXPECT_TRUE(page.lastUninstallText().startsWith(QStringLiteral("Last uninstall ")));
    EXPECT_TRUE(page.lastUninstallText().endsWith(QStringLiteral(" · 1 apps")));
}
