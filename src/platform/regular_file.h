#pragma once

#include <QFile>
#include <QString>
#include <memory>

namespace platform {

// A file opened for reading whole, or why it was not.
struct OpenedFile {
    std::unique_ptr<QFile> file;  // open for reading; null when refused
    QString refusal;              // why not, in Chinese, when `file` is null
};

// Opens the files a user picks to read in. Only a regular file is opened: a pipe, a device, a
// socket or a folder is refused by what it is, before anything could wait on it or read it
// without end. Tests install a double whose files fail as they are read.
class FileOpener {
  public:
    virtual ~FileOpener() = default;
    virtual OpenedFile OpenRegularFile(const QString& path) = 0;
};

// The system opener's open, after it has looked at what stands at `path`: it never waits, in
// case the path became a pipe since, and refuses what it opened unless that is a regular file.
OpenedFile OpenIfRegular(const QString& path);

FileOpener& TheFileOpener();
// Installs `opener` (not owned); nullptr restores the system's. Returns the one it replaces.
FileOpener* InstallFileOpener(FileOpener* opener);

}  // namespace platform
