#pragma once

#include <QString>
#include <QStringList>
#include <QUuid>

namespace roror {

// One requested operation. The texts are already in the language of the moment the action
// was built; the arguments are the program's internal command words, never run as a tool.
struct AppAction {
    QUuid id;
    QString title;
    QString detail;
    QStringList arguments;
    bool isDestructive = false;
    bool prefersTerminal = false;

    bool operator==(const AppAction& other) const = default;
};

} // namespace roror
