#pragma once

#include <QString>

namespace roror::FileManagerReveal {

// Shows the item selected in the desktop's file manager (the freedesktop FileManager1 service);
// where no file manager answers, opens the folder that holds it. Returns at once.
void reveal(const QString& path);

} // namespace roror::FileManagerReveal
