#pragma once

#include "tests/support/ViewFixture.h"

#include <QString>
#include <functional>

namespace roror::gallery {

// One picture of the gallery: `build` loads a view into a fresh fixture (new home, new model, the
// language and window size already chosen) and brings it into the state to show.
struct State {
    QString name;
    std::function<void(test::ViewFixture&)> build;
    // Changes the fake services before the model is made (optional).
    std::function<void(AppModelServices&, const test::TestEnv&)> services;
    // Shown in the dark appearance.
    bool dark = false;
};

// Registers a state at program start: `static const bool registered = gallery::add({...});`
bool add(State state);

} // namespace roror::gallery
