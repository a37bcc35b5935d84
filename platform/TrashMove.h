#pragma once

#include <QByteArray>
#include <QString>

namespace roror::TrashMove {

// Moves the item at `path` to the user's Trash; false with a message in the user's language when it
// did not move. `judgedFolder` is the folder the Trash guard approved: the item's parent with links
// resolved.
//
// On Linux the item goes to the freedesktop home Trash of `home` (HomeTrash::folder): it is renamed
// from exactly the judged folder, opened without following links, so a folder swapped for a link
// after the check fails the item. The Trash and its "files" and "info" folders must be real folders
// of the user (they are made, mode 0700, when missing). The info file is reserved exclusively and
// written before the rename, and removed again when the rename fails. An item on another file
// system than the Trash, or a mount point, is refused: nothing is copied and nothing is left behind.
// On macOS the platform's own Trash takes the item.
//
// A path whose text does not stand for one exact file name (see hasExactBytes) is refused.
bool moveToTrash(const QString& path, const QString& judgedFolder, const QString& home, QString* error);

// False when the text holds the replacement mark: names are decoded from bytes, and bytes that are
// not valid in the local encoding all decode to that mark, so such text may stand for several files
// (or for a file really named with the mark) and cannot be turned back into the right bytes.
bool hasExactBytes(const QString& path);

// ---- Pieces, tested on their own ------------------------------------------------------------

// Opens an absolute folder as a path handle without following any link on the way: openat2 with
// RESOLVE_NO_SYMLINKS where the kernel has it (and `allowOpenat2`), else one component at a time
// from "/". -1 with errno set when it fails (ELOOP or ENOTDIR for a link).
int openFolderWithoutLinks(const QByteArray& path, bool allowOpenat2 = true);

// The Path value of an info file: the bytes percent-encoded as an RFC 3986 path (unreserved
// characters and "/" kept, everything else as %XX).
QByteArray encodeInfoPath(const QByteArray& path);

// The name the item takes in the Trash at `attempt` (0: its own name, then "name 2.ext",
// "name 3.ext", ...), shortened so that the info file name (with ".trashinfo") fits NAME_MAX, the
// suffix kept and no character cut in two.
QByteArray trashName(const QByteArray& name, int attempt);

// How many names are tried before the move gives up.
inline constexpr int maxNameAttempts = 1000;

} // namespace roror::TrashMove
