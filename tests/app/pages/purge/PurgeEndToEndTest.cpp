#include "app/pages/purge/PurgePage.h"
#include "core/model/SizeText.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

// The real project scan and the real Trash on a generated home of small projects.
TEST(PurgeEndToEnd, ScanListTrashOneFolderAndFollow)
{
    PageFixture<PurgePage> f;
    f.services = AppModelServices::real();
    const QString projects = f.env.makeDir(QStringLiteral("Projects"));
    // Small projects, each build folder with the stamp its tool leaves in it.
    f.env.writeFile(projects + "/rust/Cargo.toml", "[package]\nname = \"app\"\n");
    f.env.writeFile(projects + "/rust/target/CACHEDIR.TAG", "Signature: 8a477f597d28d172789f06886806bc55\n");
    f.env.writeFile(projects + "/web/package.json", "{}");
    f.env.writeFile(projects + "/app/CMakeLists.txt", "project(app)\n");
    f.env.writeFile(projects + "/app/build/CMakeCache.txt", "CMAKE_BUILD_TYPE:STRING=Debug\n");
    f.env.writeFile(projects + "/py/pyproject.toml", "[project]\n");
    f.env.writeFile(projects + "/py/.venv/pyvenv.cfg", "home = /usr/bin\n");
    // A folder called build without any tool's stamp is the user's own.
    writeBytes(f.env, projects + "/notes/build/plan.txt", 700'000);
    writeBytes(f.env, projects + "/rust/target/debug/app", 600'000);
    writeBytes(f.env, projects + "/web/node_modules/left-pad/index.js", 200'000);
    writeBytes(f.env, projects + "/web/node_modules/left-pad/package.json", 100'000);
    writeBytes(f.env, projects + "/web/src/main.js", 900'000); // the project's own code is no target
    writeBytes(f.env, projects + "/app/build/out.o", 250'000);
    writeBytes(f.env, projects + "/py/.venv/lib/site.py", 50'000);
    // A project whose node_modules is a link to a big folder outside the scan folder.
    const QString outside = f.env.outside() + QStringLiteral("/shared-modules");
    writeBytes(f.env, outside + "/huge.bin", 3'000'000);
    f.env.makeDir(projects + "/linked");
    ASSERT_TRUE(QFile::link(outside, projects + "/linked/node_modules"));

    PurgePage& page = f.start();
    page.setClock({});
    page.chooseScanFolder(QUrl::fromLocalFile(projects));
    page.preview();
    ASSERT_TRUE(spinUntil([&] { return page.hasReport() && !page.busy(); }, 30000));

    const auto paths = [&page] {
        QStringList out;
        for (const auto& e : page.entries()->entries())
            out.append(e.path);
        return out;
    };
    // Largest first; the link is neither listed nor measured through.
    EXPECT_EQ(paths(),
              (QStringList{projects + "/rust/target", projects + "/web/node_modules", projects + "/app/build",
                           projects + "/py/.venv"}));
    for (const auto& entry : page.entries()->entries())
        EXPECT_LT(entry.byteCount, 3'000'000) << entry.path.toStdString();

    const auto modules = page.entries()->entries().at(1);
    page.askTrash(1);
    ASSERT_EQ(page.pendingTrashPath(), projects + "/web/node_modules");
    page.confirmTrash();
    ASSERT_TRUE(
        spinUntil([&] { return !QFileInfo::exists(projects + "/web/node_modules") && paths().size() == 3; }, 30000));
    EXPECT_TRUE(QFileInfo::exists(projects + "/web/src/main.js"));
    const auto trashed = trashedItems(f.env);
    ASSERT_EQ(trashed.size(), 1);
    EXPECT_EQ(trashed.first(), projects + "/web/node_modules");
    EXPECT_TRUE(
        QFileInfo::exists(f.env.home() + "/.local/share/Trash/files/" + trashed.firstKey() + "/left-pad/index.js"));

    // The list drops the folder and the fresh preview agrees.
    EXPECT_EQ(paths(), (QStringList{projects + "/rust/target", projects + "/app/build", projects + "/py/.venv"}));
    ASSERT_TRUE(spinUntil([&] { return !f.model->isRunning() && page.hasReport(); }, 30000));
    EXPECT_EQ(paths(), (QStringList{projects + "/rust/target", projects + "/app/build", projects + "/py/.venv"}));
    EXPECT_TRUE(page.lastPurgeText().startsWith(QStringLiteral("Last cleanup ")));
    EXPECT_TRUE(
        page.lastPurgeText().endsWith(QStringLiteral(" · 1 items · freed ") + SizeText::bytes(modules.byteCount)))
        << page.lastPurgeText().toStdString();

    // Nothing outside the scan folder was touched.
    EXPECT_TRUE(QFileInfo::exists(outside + "/huge.bin"));
    EXPECT_TRUE(QFileInfo(projects + "/linked/node_modules").isSymLink());
}
