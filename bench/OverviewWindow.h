#pragma once

#include "app/model/AppModel.h"

#include <QQmlApplicationEngine>
#include <QVariant>

namespace roror::bench {

// Opens the Overview page in a 1180 x 780 window over `model`, as the program shows it at start;
// false when the window could not be made.
inline bool loadOverviewWindow(QQmlApplicationEngine& engine, AppModel& model)
{
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine.setInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
    engine.loadData(QByteArrayLiteral(R"(
import QtQuick
import QtQuick.Window
import Roror.App
import Roror.Kit
import Roror.Dashboard
Window {
    id: window
    required property AppModel model
    width: 1180
    height: 780
    visible: true
    color: AppTheme.windowBackground
    DashboardView { anchors.fill: parent; model: window.model }
}
)"));
    return !engine.rootObjects().isEmpty();
}

} // namespace roror::bench
