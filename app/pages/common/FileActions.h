#pragma once

#include <QString>
#include <functional>

namespace roror::FileActions {

// Shows the item selected in the desktop's file manager (org.freedesktop.FileManager1 over the
// session bus); without one, opens the folder that holds it.
void reveal(const QString& path);

// Opens the item with the desktop's default handler.
void open(const QString& path);

// Replaces what reveal() and open() do (tests); empty functions restore the desktop's.
void setHandlers(std::function<void(const QString&)> reveal, std::function<void(const QString&)> open);

} // namespace roror::FileActions
