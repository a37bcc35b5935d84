#pragma once

#include <QQuickItem>
#include <QStringList>

namespace roror::test {

// Every shown Text below `root` that is cut (elided) although its natural width fits the width it
// was given, each as "objectName (or text): natural width N in width W". Empty when none.
QStringList textsCutWithRoom(QQuickItem* root);

} // namespace roror::test
