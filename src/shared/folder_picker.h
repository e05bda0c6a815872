#pragma once

#include <QString>

// Asks the user for a folder: the dialog opens at `initialDir` (when given and existing) under
// the prompt `title`, or "【请选择文件夹】" when that is empty. The chosen folder's path, or an
// empty text when the user cancels.
QString BrowseForFolder(const QString& initialDir, const QString& title);
