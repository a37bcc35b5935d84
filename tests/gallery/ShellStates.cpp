#include "tests/gallery/Gallery.h"

namespace roror::gallery {
namespace {

const bool window = add({QStringLiteral("window"), [](test::ViewFixture& view) {
                             view.load(QStringLiteral("Roror.Shell"), QStringLiteral("ContentView"));
                         }, {}});

} // namespace
} // namespace roror::gallery
