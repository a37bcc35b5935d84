#pragma once

#include <QByteArray>
#include <QQuickWindow>
#include <memory>

class QQmlEngine;

namespace roror {

class AppModel;

// The scene graph the window asks for. Without a GPU, OpenGL would run on a software rasterizer
// (Mesa's llvmpipe) that costs more to start and about 100 MB more memory than Qt Quick's own
// software renderer, while drawing the same picture: the interface uses no shader effects.
enum class SceneGraphChoice { platformDefault, software };
// `requestedBackend` and `requestedRhi` are QT_QUICK_BACKEND and QSG_RHI_BACKEND: a choice the
// user made is kept. `gpuPresent`: the machine has a GPU render node.
SceneGraphChoice chooseSceneGraph(const QByteArray& requestedBackend, const QByteArray& requestedRhi, bool gpuPresent);
// Whether /dev/dri holds a render node (renderD*), the mark of a usable GPU on Linux.
bool gpuRenderNodePresent();

// The program's start, shared by the entry point and the start-up benchmark so that both measure
// the same path. Call after the application object exists and before any window is made.
void prepareApplication();
// Loads the one window over `model`; null when it could not be made. The window must end before
// the engine does.
std::unique_ptr<QQuickWindow> loadMainWindow(QQmlEngine& engine, AppModel& model);

} // namespace roror
