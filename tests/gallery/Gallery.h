#pragma once

#include "core/model/AppFeature.h"
#include "tests/support/ViewFixture.h"

#include <QString>
#include <functional>

namespace roror::gallery {

// One picture of the gallery: `build` brings a fresh model (new settings, the language and window
// size already chosen, the fixture home's engine reports in its services) into the state to show.
// The window, its QML engine and the fixture home are shared by all states of one language and size.
struct State {
    QString name;
    std::function<void(test::ViewFixture&)> build;
    // Changes the services before the model is made (optional): constructed data for what the
    // engines cannot make from the fixture home (a failure, a run that never ends, an update).
    std::function<void(AppModelServices&, const test::TestEnv&)> services;
    // A picture of parts (kit components, the status line) rather than of a page in the window.
    bool parts = false;
};

// Registers a state at program start: `static const bool registered = gallery::add({...});`
bool add(State state);

// The window as the user sees it (sidebar, backdrop, page column) on `feature`'s page, once the
// start-up sequence has run.
QQuickItem* showWindow(test::ViewFixture& view, AppFeature feature);

// The view of the page the window shows (the page switch's delegates are not object children of
// the window's root, so `findChild` from the root misses them).
QObject* shownPage(test::ViewFixture& view);

// Lets transitions (a sheet fading in, a page switch) run to their end: animations advance as
// frames are drawn.
void finishTransitions(test::ViewFixture& view);

} // namespace roror::gallery
