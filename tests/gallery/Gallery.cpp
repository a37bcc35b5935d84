#include "tests/gallery/Gallery.h"

#include "app/shell/ContentController.h"
#include "platform/SettingsStore.h"
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

// A look the states are rendered in. `apply(true)` comes before a state's model is made and
// `apply(false)` after its picture; the tag goes into the file name ("<state>-<tag>-zh-980x720.png").
struct Appearance {
    const char* tag;           // empty for the default look
    QRegularExpression states; // the states rendered in it (empty: all)
    std::function<void(bool)> apply;
};

const QList<Appearance>& appearances()
{
    static const QList<Appearance> all = {
        {"", QRegularExpression(), {}},
    };
    return all;
}

QString fileName(const QString& out, const QString& state, const Appearance& appearance, const char* language,
                 const QSize& size)
{
    QString name = state;
    if (*appearance.tag)
        name += QLatin1Char('-') + QString::fromLatin1(appearance.tag);
    return QStringLiteral("%1/%2-%3-%4x%5.png")
        .arg(out, name, QString::fromLatin1(language))
        .arg(size.width())
        .arg(size.height());
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
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("QT_QUICK_BACKEND"))
        ::setenv("QT_QUICK_BACKEND", "software", 1);
    QApplication app(argc, argv);
    SettingsStore::setFilePath(sandbox.path() + QStringLiteral("/settings.ini"));

    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    const QRegularExpression filter(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    QDir().mkpath(out);

    struct Language {
        AppLanguagePreference preference;
        const char* tag;
        const char* system;
    };
    const Language languages[]
        = {{AppLanguagePreference::chinese, "zh", "zh-Hans-CN"}, {AppLanguagePreference::english, "en", "en-US"}};
    const QSize sizes[] = {QSize(980, 720), QSize(1180, 780)};

    QList<const gallery::State*> chosen;
    for (const gallery::State& state : gallery::registry()) {
        if (filter.pattern().isEmpty() || filter.match(state.name).hasMatch())
            chosen.append(&state);
    }

    int written = 0;
    int failed = 0;
    QElapsedTimer clock;
    clock.start();
    for (const Language& language : languages) {
        for (const QSize& size : sizes) {
            // One window, QML engine and fixture home per language and size; each state gets a new model.
            test::ViewFixture::Options options;
            options.language = language.preference;
            options.size = size;
            test::ViewFixture view(options);
            // The system speaks the language too (relative dates follow it).
            view.env().setPreferredLanguages(QStringList{QString::fromLatin1(language.system)});
            const std::shared_ptr<gallery::EngineReports> reports = gallery::runEngines(view.env());
            for (const gallery::Appearance& appearance : gallery::appearances()) {
                for (const gallery::State* state : chosen) {
                    if (!appearance.states.pattern().isEmpty() && !appearance.states.match(state->name).hasMatch())
                        continue;
                    if (appearance.apply)
                        appearance.apply(true);
                    view.renew([reports, state](AppModelServices& services, const test::TestEnv& env) {
                        gallery::useEngines(services, reports);
                        if (state->services)
                            state->services(services, env);
                    });
                    state->build(view);
                    const QString file = gallery::fileName(out, state->name, appearance, language.tag, size);
                    const QImage image = view.grab();
                    if (image.isNull() || !image.save(file)) {
                        std::fprintf(stderr, "gallery: could not write %s\n", qPrintable(file));
                        ++failed;
                    } else {
                        ++written;
                    }
                    if (appearance.apply)
                        appearance.apply(false);
                    for (const QString& warning : view.warnings()) {
                        std::fprintf(stderr, "gallery: %s: %s\n", qPrintable(state->name), qPrintable(warning));
                        ++failed;
                    }
                    view.clearWarnings();
                }
            }
        }
    }
    std::printf("gallery: %d images in %s (%.1f s)\n", written, qPrintable(out), clock.elapsed() / 1000.0);
    return failed == 0 ? 0 : 1;
}
