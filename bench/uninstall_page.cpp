// Uninstall Apps with many applications: how long the GUI thread can stall while the table shows
// and its icons load, and how long one sort takes to repaint.
//
//   uninstall_page generate HOME [COUNT]  makes COUNT (default 300) app bundles in HOME/Applications,
//                                         each with an Info.plist and a 512-pixel icon
//   uninstall_page run [ROUNDS]           (with HOME pointing there) previews through the page in its
//                                         window, scrolls the table from top to bottom while every
//                                         icon loads, then times ROUNDS (default 10) repaints after
//                                         each of the four sort toggles
//
// bench/uninstall_page.sh generates the bundles and runs this on them.

#include "app/pages/uninstall/AppIconCache.h"
#include "app/pages/uninstall/UninstallPage.h"
#include "bench/PageBench.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>

namespace {

int generate(const QString& home, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("App %1").arg(i, 3, 10, QLatin1Char('0'));
        const QString bundle = home + QStringLiteral("/Applications/") + name + QStringLiteral(".app");
        QDir().mkpath(bundle + QStringLiteral("/Contents/Resources"));
        QDir().mkpath(bundle + QStringLiteral("/Contents/MacOS"));
        QFile plist(bundle + QStringLiteral("/Contents/Info.plist"));
        if (!plist.open(QIODevice::WriteOnly))
            return 1;
        plist.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                                   "<key>CFBundleName</key><string>%1</string>"
                                   "<key>CFBundleIdentifier</key><string>com.example.app%2</string>"
                                   "<key>CFBundleIconFile</key><string>AppIcon</string></dict></plist>\n")
                        .arg(name)
                        .arg(i)
                        .toUtf8());
        QFile binary(bundle + QStringLiteral("/Contents/MacOS/") + name);
        if (binary.open(QIODevice::WriteOnly))
            binary.write(QByteArray(1024 * (1 + i % 50), 'x'));
        QImage icon(512, 512, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        QLinearGradient fill(0, 0, 0, 512);
        fill.setColorAt(0, QColor::fromHsv((i * 37) % 360, 160, 240));
        fill.setColorAt(1, QColor::fromHsv((i * 37) % 360, 200, 160));
        painter.setBrush(fill);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(32, 32, 448, 448), 100, 100);
        painter.end();
        QImageWriter writer(bundle + QStringLiteral("/Contents/Resources/AppIcon.icns"), "icns");
        if (!writer.write(icon)) {
            std::fprintf(stderr, "icon: %s\n", qPrintable(writer.errorString()));
            return 1;
        }
    }
    std::printf("generated %d app bundles under %s/Applications\n", count, qPrintable(home));
    return 0;
}

int run(int rounds)
{
    roror::AppModel model;
    bench::PageWindow view(model, "Roror.Pages.Uninstall", "UninstallView");
    auto* page = view.find<roror::UninstallPage>("uninstallPage");
    view.frame();
    roror::AppIconCache::shared().clear();

    // The preview, the table and every icon, with the table scrolled from top to bottom.
    bench::StallMeter stalls;
    stalls.start();
    QElapsedTimer total;
    total.start();
    {
        QEventLoop loop;
        QObject::connect(page, &roror::UninstallPage::reportChanged, &loop, [&] {
            if (page->hasReport() && !page->busy())
                loop.quit();
        });
        QObject::connect(page, &roror::UninstallPage::busyChanged, &loop, [&] {
            if (page->hasReport() && !page->busy())
                loop.quit();
        });
        page->preview();
        loop.exec();
    }
    const double previewMs = total.nsecsElapsed() / 1e6;
    const int rows = page->entryCount();
    QQuickItem* list = view.root->findChild<QQuickItem*>(QStringLiteral("resultsList"));
    const auto iconsReady = [&] {
        for (QQuickItem* icon : view.root->findChildren<QQuickItem*>(QStringLiteral("uninstallAppIcon"))) {
            if (icon->isVisible() && icon->property("status").toInt() != 1)
                return false;
        }
        return true;
    };
    // One step per frame: the view moves by about a screenful a quarter second, as a quick scroll.
    QEventLoop scrolling;
    QTimer step;
    step.setInterval(16);
    int frames = 0;
    QObject::connect(&view.window, &QQuickWindow::frameSwapped, [&] { ++frames; });
    QObject::connect(&step, &QTimer::timeout, [&] {
        const qreal end = list->property("contentHeight").toReal() - list->height();
        const qreal y = list->property("contentY").toReal();
        if (y >= end - 1 && iconsReady()) {
            scrolling.quit();
            return;
        }
        list->setProperty("contentY", std::min(end, y + 120));
    });
    step.start();
    scrolling.exec();
    step.stop();
    stalls.stop();
    const double tableMs = total.nsecsElapsed() / 1e6;

    // A rescan: the table gives way to the busy strip and comes back with new rows.
    bench::StallMeter again;
    again.start();
    {
        QEventLoop loop;
        QObject::connect(page, &roror::UninstallPage::busyChanged, &loop, [&] {
            if (page->hasReport() && !page->busy())
                loop.quit();
        });
        page->preview();
        loop.exec();
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
    }
    again.stop();

    // Sorting: toggle, then draw the frame that shows the new order.
    list->setProperty("contentY", list->property("originY"));
    view.frame();
    std::vector<double> repaint;
    const char* toggles[] = {"toggleSizeSort", "toggleSizeSort", "toggleLastOpenedSort", "toggleLastOpenedSort"};
    for (int r = 0; r < rounds; ++r) {
        for (const char* toggle : toggles) {
            QElapsedTimer timer;
            timer.start();
            QMetaObject::invokeMethod(page, toggle);
            view.frame();
            repaint.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("%d app rows; preview through the page %.0f ms; table scrolled to the end with every icon loaded "
                "after %.0f ms\n",
                rows, previewMs, tableMs);
    std::printf(
        "longest GUI-thread stall while the table first showed and its icons loaded   %6.1f ms (target < 25 ms)\n",
        stalls.longestMs);
    std::printf("longest GUI-thread stall during a rescan (table gone and back)               %6.1f ms\n",
                again.longestMs);
    std::printf("frames drawn while scrolling the table from top to bottom: %d\n", frames);
    std::printf("sort and repaint (%zu toggles)   median %5.1f ms, max %5.1f ms (target < 16 ms)\n", repaint.size(),
                bench::median(repaint), *std::max_element(repaint.begin(), repaint.end()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("generate") && argc > 2)
        return generate(QString::fromLocal8Bit(argv[2]), argc > 3 ? std::atoi(argv[3]) : 300);
    if (mode == QLatin1String("run"))
        return run(argc > 2 ? std::max(1, std::atoi(argv[2])) : 10);
    std::fprintf(stderr, "usage: uninstall_page generate HOME [COUNT] | uninstall_page run [ROUNDS]\n");
    return 2;
}
