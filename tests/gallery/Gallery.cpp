#include "tests/gallery/Gallery.h"

#include "app/shell/ContentController.h"
#include "platform/SettingsStore.h"
#include "platform/desktop/DesktopAppearance.h"
#include "tests/gallery/GalleryHome.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace roror::gallery {

static QList<State>& registry()
{
    static QList<State> states;
    return states;
}

bool add(State state)
{
    registry().append(std::move(state));
    return true;
}

QQuickItem* showWindow(test::ViewFixture& view, AppFeature feature)
{
    view.model().setSelectedFeature(feature);
    QQuickItem* root = view.load(QStringLiteral("Roror.Shell"), QStringLiteral("ContentView"));
    // The start-up sequence begins after the first frame; let it finish before the picture.
    auto* controller = root ? root->findChild<ContentController*>() : nullptr;
    test::spinUntil([&] {
        view.window().update();
        return controller && controller->startupFinished();
    });
    view.settle();
    return root;
}

QObject* shownPage(test::ViewFixture& view)
{
    for (AppFeature feature : allAppFeatures()) {
        QQuickItem* slot = view.find(QStringLiteral("page.") + toRaw(feature));
        if (slot && slot->isVisible())
            return slot->property("item").value<QObject*>();
    }
    return nullptr;
}

void finishTransitions(test::ViewFixture& view)
{
    for (int i = 0; i < 16; ++i) {
        QThread::msleep(25);
        view.grab();
    }
}

namespace {

// A look the states are rendered in: `apply(true)` runs before the window and its QML engine are
// made (so a look read once at start is taken too) and `apply(false)` after the last picture in it.
// The tag goes into the file names ("<state>-<tag>-zh-980x720.png").
struct Appearance {
    const char* tag;           // empty for the default look
    QRegularExpression states; // the states rendered in it (empty: all)
    std::function<void(bool)> apply;
};

// Another look is one more line here.
const QList<Appearance>& appearances()
{
    static const QList<Appearance> all = {
        {"", QRegularExpression(), {}},
        {"dark", QRegularExpression(QStringLiteral("^window-(page-[a-z]+|desktop)$")),
         [](bool on) { DesktopAppearance::shared().setForced(on); }},
    };
    return all;
}

struct Language {
    AppLanguagePreference preference;
    const char* tag;
    const char* system; // the system's preferred language (relative dates follow it)
};

// A window size and the width of the page column the window gives its pages at that size.
struct WindowSize {
    QSize size;
    qreal column;
};

// The page column of the page the window shows; none when no page is shown.
std::optional<qreal> pageColumn(test::ViewFixture& view)
{
    QObject* page = shownPage(view);
    if (!page)
        return std::nullopt;
    QList<QObject*> candidates{page};
    candidates += page->findChildren<QObject*>();
    for (QObject* candidate : candidates) {
        const QVariant column = candidate->property("columnWidth");
        if (column.isValid())
            return column.toReal();
    }
    return std::nullopt;
}

struct Tally {
    int written = 0;
    int failed = 0;
};

// Renders `states` in one window of one look, language and size. The window, its QML engine and the
// fixture home (with the engines' reports over it) are made once; each state gets a new model.
void renderSession(const QList<const State*>& states, const Appearance& appearance, const Language& language,
                   const WindowSize& window, const QString& out, Tally& tally)
{
    const QSize size = window.size;
    test::ViewFixture::Options options;
    options.language = language.preference;
    options.size = size;
    // The same paths on every run, so pictures of two runs compare (two runs at once need their own TMPDIR).
    options.root = QDir::tempPath() + QStringLiteral("/roror-gallery");
    test::ViewFixture view(options);
    view.env().setPreferredLanguages(QStringList{QString::fromLatin1(language.system)});
    const std::shared_ptr<EngineReports> reports = runEngines(view.env());
    for (const State* state : states) {
        view.renew([reports, state](AppModelServices& services, const test::TestEnv& env) {
            useEngines(services, reports);
            if (state->services)
                state->services(services, env);
        });
        state->build(view);
        QString name = state->name;
        if (*appearance.tag)
            name += QLatin1Char('-') + QString::fromLatin1(appearance.tag);
        const QString file = QStringLiteral("%1/%2-%3-%4x%5.png")
                                 .arg(out, name, QString::fromLatin1(language.tag))
                                 .arg(size.width())
                                 .arg(size.height());
        const QImage image = view.grab();
        if (image.isNull() || !image.save(file)) {
            std::fprintf(stderr, "gallery: could not write %s\n", qPrintable(file));
            ++tally.failed;
        } else {
            ++tally.written;
        }
        for (const QString& warning : view.warnings()) {
            std::fprintf(stderr, "gallery: %s: %s\n", qPrintable(state->name), qPrintable(warning));
            ++tally.failed;
        }
        view.clearWarnings();
        // Pages are pictured where the user sees them: in the window's page column, beside the sidebar.
        const std::optional<qreal> column = pageColumn(view);
        if (!state->parts && column != window.column) {
            const QString shown = column ? QStringLiteral("%1 wide").arg(*column) : QStringLiteral("not shown");
            std::fprintf(stderr, "gallery: %s: the page column is %s, not %g wide\n", qPrintable(state->name),
                         qPrintable(shown), window.column);
            ++tally.failed;
        }
    }
}

} // namespace
} // namespace roror::gallery

// Usage: roror_gallery <output folder> [name filter (regular expression)]
int main(int argc, char** argv)
{
    using namespace roror;
    QTemporaryDir sandbox(QDir::tempPath() + QStringLiteral("/roror-gallery-XXXXXX"));
    const QByteArray home = QDir(sandbox.path()).canonicalPath().toUtf8() + "/home";
    QDir().mkpath(QString::fromUtf8(home));
    ::setenv("HOME", home.constData(), 1);
    // No desktop's wallpaper unless a state sets one up.
    ::unsetenv("XDG_CURRENT_DESKTOP");
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("QT_QUICK_BACKEND"))
        ::setenv("QT_QUICK_BACKEND", "software", 1);
    QApplication app(argc, argv);
    // The light appearance unless a look says otherwise, whatever session runs the gallery.
    DesktopAppearance::shared().setForced(false);
    SettingsStore::setFilePath(sandbox.path() + QStringLiteral("/settings.ini"));

    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    const QRegularExpression filter(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    QDir().mkpath(out);

    using gallery::Language;
    const Language languages[]
        = {{AppLanguagePreference::chinese, "zh", "zh-Hans-CN"}, {AppLanguagePreference::english, "en", "en-US"}};
    const gallery::WindowSize sizes[] = {{QSize(980, 720), 688}, {QSize(1180, 780), 888}};

    gallery::Tally tally;
    QElapsedTimer clock;
    clock.start();
    for (const gallery::Appearance& appearance : gallery::appearances()) {
        QList<const gallery::State*> chosen;
        for (const gallery::State& state : gallery::registry()) {
            if ((filter.pattern().isEmpty() || filter.match(state.name).hasMatch())
                && (appearance.states.pattern().isEmpty() || appearance.states.match(state.name).hasMatch()))
                chosen.append(&state);
        }
        if (chosen.isEmpty())
            continue;
        if (appearance.apply)
            appearance.apply(true);
        for (const Language& language : languages) {
            for (const gallery::WindowSize& size : sizes)
                gallery::renderSession(chosen, appearance, language, size, out, tally);
        }
        if (appearance.apply)
            appearance.apply(false);
    }
    std::printf("gallery: %d images in %s (%.1f s)\n", tally.written, qPrintable(out), clock.elapsed() / 1000.0);
    return tally.failed == 0 ? 0 : 1;
}
