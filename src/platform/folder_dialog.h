#pragma once

#include <QString>

namespace platform {

// Shows the folder-browse dialog: opens at `startFolder` when it exists, shows `prompt` above
// the folders and the path of the current selection (its first 64 characters) as status text.
// Returns the chosen folder, or an empty text when the user cancels.
QString RunFolderDialog(const QString& startFolder, const QString& prompt);

}  // namespace platform
