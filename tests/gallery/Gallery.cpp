#include "tests/gallery/Gallery.h"

#include "platform/PreferredLanguages.h"
#include "platform/SettingsStore.h"
#include "platform/desktop/DesktopAppearance.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
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

} // namespace roror::gallery

// Usage: roror_gallery <output folder> [name filter (regular expression)]
int main(int argc, char** argv)
{
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
    roror::SettingsStore::setFilePath(sandbox.path() + QStringLiteral("/settings.ini"));

    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    const QRegularExpression filter(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    QDir().mkpath(out);

    struct Language {
        roror::AppLanguagePreference preference;
        const char* tag;
    };
    const Language languages[]
        = {{roror::AppLanguagePreference::chinese, "zh"}, {roror::AppLanguagePreference::english, "en"}};
    const QSize sizes[] = {QSize(980, 720), QSize(1180, 780)};

    int written = 0;
    int failed = 0;
    for (const roror::gallery::State& state : roror::gallery::registry()) {
        if (!filter.pattern().isEmpty() && !filter.match(state.name).hasMatch())
            continue;
        for (const Language& language : languages) {
            for (const QSize& size : sizes) {
                roror::test::ViewFixture::Options options;
                options.language = language.preference;
                options.size = size;
                options.services = state.services;
                roror::DesktopAppearance::shared().setForced(state.dark);
                roror::test::ViewFixture view(options);
                state.build(view);
                const QString file = QStringLiteral("%1/%2-%3-%4x%5.png")
                                         .arg(out, state.name, QString::fromLatin1(language.tag))
                                         .arg(size.width())
                                         .arg(size.height());
                const QImage image = view.grab();
                if (image.isNull() || !image.save(file)) {
                    std::fprintf(stderr, "gallery: could not write %s\n", qPrintable(file));
                    ++failed;
                } else {
                    ++written;
                }
                for (const QString& warning : view.warnings()) {
                    std::fprintf(stderr, "gallery: %s: %s\n", qPrintable(state.name), qPrintable(warning));
                    ++failed;
                }
            }
        }
    }
    std::printf("gallery: %d images in %s\n", written, qPrintable(out));
    return failed == 0 ? 0 : 1;
}
