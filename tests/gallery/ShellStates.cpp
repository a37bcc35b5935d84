#include "tests/gallery/PageGallerySupport.h"

#include "core/engines/clean/LocalCleanExecutor.h"
#include "core/model/AppActionFactory.h"
#include "platform/DesktopWallpaper.h"
#include "tests/gallery/GalleryHome.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QUrl>

namespace roror::gallery {
namespace {

// One picture of the whole window per page slot.
bool addPage(AppFeature feature)
{
    return add({QStringLiteral("window-page-") + toRaw(feature),
                [feature](test::ViewFixture& view) { showWindow(view, feature); },
                {}});
}

const bool pages = [] {
    for (AppFeature feature : allAppFeatures())
        addPage(feature);
    return true;
}();

std::function<void(AppModelServices&, const test::TestEnv&)> scoring(qint64 score)
{
    return [score](AppModelServices& services, const test::TestEnv&) {
        services.statusSnapshot = [score](const std::optional<QList<SystemReport::ProcessInfo>>&) {
            SystemReport report;
            report.healthScore = score;
            return report;
        };
    };
}

void showWithReport(test::ViewFixture& view)
{
    showWindow(view, AppFeature::dashboard);
    test::spinUntil([&] { return view.model().statusReport().has_value(); });
    view.settle();
}

const bool auraGood = add({QStringLiteral("window-aura-good"), showWithReport, scoring(88)});
const bool auraFair = add({QStringLiteral("window-aura-fair"), showWithReport, scoring(60)});
const bool auraPoor = add({QStringLiteral("window-aura-poor"), showWithReport, scoring(30)});

const bool confirmation = add({QStringLiteral("window-confirmation"),
                               [](test::ViewFixture& view) {
                                   showWindow(view, AppFeature::dashboard);
                                   view.model().request(AppActionFactory::optimize(false, false));
                                   view.settle();
                               },
                               {}});

// The alert of a clean the executor stopped: its protection list is not UTF-8 text.
const bool message = add({QStringLiteral("window-message"),
                          [](test::ViewFixture& view) {
                              showWindow(view, AppFeature::clean);
                              view.model().request(AppActionFactory::clean(true, false));
                              settleRuns(view);
                              view.model().request(AppActionFactory::clean(false, false));
                              view.model().confirmPendingAction();
                              settleRuns(view);
                              finishTransitions(view);
                          },
                          [](AppModelServices& s, const test::TestEnv& env) {
                              const QString broken = brokenHome(env);
                              s.cleanExecutor = [broken](const CleanPreviewReport& report, const QStringList&) {
                                  return LocalCleanExecutor::clean(report, {broken});
                              };
                          }});

// A photograph-like gradient with a few shapes, so the veil and the cover crop can be judged.
QString eveningPicture(test::ViewFixture& view)
{
    QImage image(1600, 1000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 1000);
    sky.setColorAt(0, QColor(70, 120, 190));
    sky.setColorAt(0.6, QColor(240, 180, 140));
    sky.setColorAt(1, QColor(60, 80, 70));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(250, 240, 200));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(1200, 380), 90, 90);
    painter.setBrush(QColor(40, 60, 50));
    painter.drawRect(0, 760, 1600, 240);
    painter.end();
    const QString file = view.env().home() + QStringLiteral("/Pictures/evening.jpg");
    view.env().makeDir(QStringLiteral("Pictures"));
    image.save(file);
    return file;
}

// A custom background.
const bool background = add({QStringLiteral("window-background"),
                             [](test::ViewFixture& view) {
                                 view.model().chooseWindowBackgroundImage(eveningPicture(view));
                                 showWindow(view, AppFeature::dashboard);
                             },
                             {}});

// The desktop's wallpaper behind the window (GNOME's, from dconf's keyfile in the fixture's home),
// on the Settings page that says so.
void showDesktop(test::ViewFixture& view)
{
    const QString file = eveningPicture(view);
    view.env().writeFile(QStringLiteral(".config/dconf/user.txt"),
                         "[org/gnome/desktop/background]\npicture-uri='" + QUrl::fromLocalFile(file).toEncoded()
                             + "'\n");
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    DesktopWallpaper::setGsettingsSource([](const QString&) -> std::optional<QString> { return std::nullopt; });
    showWindow(view, AppFeature::maintenance);
    QQuickItem* backdrop = view.find(QStringLiteral("backdrop"));
    test::spinUntil([&] {
        view.grab();
        return backdrop && backdrop->property("desktopLayer").toString() == QLatin1String("wallpaper");
    });
    qunsetenv("XDG_CURRENT_DESKTOP");
    DesktopWallpaper::setGsettingsSource({});
    view.settle();
}
const bool desktop = add({QStringLiteral("window-desktop"), showDesktop, {}});

const bool pageStatus = add({QStringLiteral("page-status"),
                             [](test::ViewFixture& view) {
                                 view.loadText(R"(
import QtQuick
import Roror.App
import Roror.Shell
Item {
    required property AppModel model
    PageStatusView {
        x: 34; y: 40; width: parent.width - 68
        model: parent.model
        recentScanPaths: ["/Users/me/Projects/site/node_modules", "/Users/me/Projects/app/target",
                          "/Users/me/Projects/very/long/path/that/keeps/going/and/going/until/it/cannot/fit/on/one/line/anymore/build"]
    }
    PageStatusView {
        x: 34; y: 260; width: 150
        model: parent.model
    }
}
)",
                                               {{QStringLiteral("model"), QVariant::fromValue(&view.model())}});
                                 // A preview that never ends keeps the model busy with its status line.
                                 view.model().request(AppActionFactory::clean(true, false));
                                 view.settle();
                             },
                             [](AppModelServices& services, const test::TestEnv&) {
                                 auto gate = std::make_shared<test::Gate<CleanPreviewReport>>();
                                 services.cleanPreview = [gate] { return gate->future(); };
                             },
                             true});

} // namespace
} // namespace roror::gallery
