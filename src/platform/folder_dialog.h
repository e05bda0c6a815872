#pragma once

#include <QFileDialog>
#include <QString>

class QLabel;

namespace platform {

// The folder-browse dialog: folders only, `prompt` as its title, opened at `startFolder` when
// that exists. While a start folder is given, a status line shows the first 64 characters of
// the selected path, the start folder's at first; without one it stays empty.
class FolderDialog : public QFileDialog {
  public:
    FolderDialog(const QString& startFolder, const QString& prompt);

    QString StatusText() const;
    // Shows the dialog and waits in the event loop until the user closes it; the program's
    // other windows stay usable meanwhile. The chosen folder, or an empty text on cancel.
    QString Run();

  private:
    QLabel* status_;
};

// Runs a FolderDialog; the chosen folder, or an empty text when the user cancels.
QString RunFolderDialog(const QString& startFolder, const QString& prompt);

}  // namespace platform
