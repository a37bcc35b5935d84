#pragma once

#include <QQuickWindow>

class QQmlApplicationEngine;

namespace roror {

class AppModel;

// The program's start, shared by the entry point and the start-up benchmark so that both measure
// the same path. Call after the application object exists.
void prepareApplication();
// Loads the one window over `model`; null when it could not be made.
QQuickWindow* loadMainWindow(QQmlApplicationEngine& engine, AppModel& model);

} // namespace roror
