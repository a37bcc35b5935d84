#include "tests/gallery/PageGallerySupport.h"

#include "core/engines/installer/InstallerPreviewReport.h"
#include "core/model/LocalizationSettings.h"

#include <QDir>
#include <QSettings>

namespace roror::gallery {
namespace {

using Entry = InstallerPreviewReport::Entry;

Entry file(const QString& path, const QString& source, qint64 bytes)
{
    Entry e;
    e.id = QUuid::createUuid();
    e.path = path;
    e.name = path.section(QLatin1Char('/'), -1);
    e.source = source;
    e.byteCount = bytes;
    return e;
}

InstallerPreviewReport sampleReport(const QString& home)
{
    const bool zh = LocalizationSettings::shared().resolvedLanguage() == AppResolvedLanguage::chinese;
    const QString downloads = zh ? QStringLiteral("下载") : QStringLiteral("Downloads");
    const QString desktop = zh ? QStringLiteral("桌面") : QStringLiteral("Desktop");
    QList<Entry> entries{
        file(home + "/Downloads/Xcode_15.2.xip", downloads, 3'400'000'000),
        file(home + "/Downloads/Docker.dmg", downloads, 812'300'000),
        file(home + "/Desktop/一个名字很长很长的安装包文件名称，用来检查中间省略是否正确显示 installer-package.pkg",
             desktop, 96'100'000),
        file(home + "/Downloads/<b>Setup<i>.dmg", downloads, 54'000'000),
        file(home + "/Library/Caches/Homebrew/downloads/wget--1.21.4.tar.gz", "Homebrew", 4'900'000),
        file(home + "/Downloads/Profile.mobileconfig", downloads, 12'000),
        file(home + "/Downloads/README", downloads, 3'000),
    };
    for (int i = 0; i < 12; ++i)
        entries.append(
            file(home + QStringLiteral("/Downloads/Archive-%1.zip").arg(i + 1), downloads, 40'000'000 - i * 2'000'000));
    return InstallerPreviewReport(entries, QDateTime::currentDateTime());
}

void locations(const test::TestEnv& env)
{
    for (const char* folder : {"Downloads", "Desktop", "Documents", "Library/Caches/Homebrew"})
        QDir().mkpath(env.home() + QLatin1Char('/') + QLatin1String(folder));
}

void withReport(AppModelServices& s, const test::TestEnv& env)
{
    locations(env);
    s.installerPreview = [](const QString& home) { return QtFuture::makeReadyFuture(sampleReport(home)); };
    auto settings = s.openSettings();
    settings->setValue(QStringLiteral("lastInstallerScanDate"), double(QDateTime::currentSecsSinceEpoch() - 5 * 3600));
    settings->setValue(QStringLiteral("lastInstallerCleanedCount"), 4);
    settings->setValue(QStringLiteral("lastInstallerCleanedBytes"), 2'310'000'000LL);
}

void showInstaller(test::ViewFixture& view)
{
    showPage(view, "Roror.Pages.Installer", "InstallerView");
}

void previewed(test::ViewFixture& view)
{
    showInstaller(view);
    call(view, "installerPage", "preview");
    settleRuns(view);
}

void select(test::ViewFixture& view, std::initializer_list<int> rows)
{
    const auto entries = view.model().installerPreviewReport()->entries();
    for (int row : rows)
        QMetaObject::invokeMethod(pageObject(view, "installerPage"), "setSelected",
                                  Q_ARG(QString, entries.at(row).path), Q_ARG(bool, true));
    view.settle();
}

const bool first = add({QStringLiteral("installer-first-visit"), [](test::ViewFixture& view) { showInstaller(view); },
                        [](AppModelServices&, const test::TestEnv& env) { locations(env); }});

const bool busy = add({QStringLiteral("installer-busy"),
                       [](test::ViewFixture& view) {
                           showInstaller(view);
                           call(view, "installerPage", "preview");
                           view.settle();
                       },
                       [](AppModelServices& s, const test::TestEnv& env) {
                           locations(env);
                           s.installerPreview = [](const QString&) { return neverFinishing<InstallerPreviewReport>(); };
                       }});

const bool report = add({QStringLiteral("installer-report"), previewed, withReport});

const bool selection = add({QStringLiteral("installer-selection"),
                            [](test::ViewFixture& view) {
                                previewed(view);
                                call(view, "installerPage", "enterInstallerSelection");
                                select(view, {0, 3});
                            },
                            withReport});

const bool confirmation = add({QStringLiteral("installer-confirmation"),
                               [](test::ViewFixture& view) {
                                   previewed(view);
                                   call(view, "installerPage", "enterInstallerSelection");
                                   select(view, {1, 2, 4});
                                   call(view, "installerPage", "requestDelete");
                                   view.settle();
                               },
                               withReport});

const bool empty
    = add({QStringLiteral("installer-empty"),
           [](test::ViewFixture& view) {
               showInstaller(view);
               call(view, "installerPage", "preview");
               settleRuns(view);
           },
           [](AppModelServices& s, const test::TestEnv& env) {
               locations(env);
               s.installerPreview = [](const QString&) {
                   return QtFuture::makeReadyFuture(InstallerPreviewReport({}, QDateTime::currentDateTime()));
               };
           }});

} // namespace
} // namespace roror::gallery
