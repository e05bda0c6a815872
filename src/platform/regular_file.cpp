#include "platform/regular_file.h"

#include <QFileInfo>

#include "platform/replaceable.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace platform {
namespace {

OpenedFile Refused(const QString& why) {
    return {nullptr, why};
}

#ifdef Q_OS_UNIX
QString WhyNotOpened(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("文件不存在");
        case EACCES:
        case EPERM:
            return QStringLiteral("没有读取这个文件的权限");
        default:
            return QStringLiteral("无法打开文件（%1）")
                .arg(QString::fromLocal8Bit(strerror(error)));
    }
}

// Why a file of this kind is not read; empty for a regular file.
QString WhyNotRegular(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return QStringLiteral("这是一个文件夹，不是文件");
    if (S_ISFIFO(mode)) return QStringLiteral("这是一个管道（FIFO），不是普通文件");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("这是一个设备，不是普通文件");
    if (S_ISSOCK(mode)) return QStringLiteral("这是一个套接字，不是普通文件");
    return QStringLiteral("这不是普通文件");
}

class SystemFileOpener : public FileOpener {
  public:
    OpenedFile OpenRegularFile(const QString& path) override {
        struct stat info {};
        if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            return Refused(WhyNotOpened(errno));
        if (const QString why = WhyNotRegular(info.st_mode); !why.isEmpty()) return Refused(why);
        return OpenIfRegular(path);
    }
};
#else
// Why what stands at `path` is not read; empty for a regular file.
QString WhyNotRegular(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("文件不存在");
    if (info.isDir()) return QStringLiteral("这是一个文件夹，不是文件");
    if (!info.isFile()) return QStringLiteral("这不是普通文件");
    return {};
}

class SystemFileOpener : public FileOpener {
  public:
    OpenedFile OpenRegularFile(const QString& path) override {
        if (const QString why = WhyNotRegular(path); !why.isEmpty()) return Refused(why);
        return OpenIfRegular(path);
    }
};
#endif

Replaceable<FileOpener, SystemFileOpener> theOpener;

}  // namespace

#ifdef Q_OS_UNIX
OpenedFile OpenIfRegular(const QString& path) {
    // Without waiting, for a pipe without a writer would hold the open for ever; what was opened
    // is looked at again.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Refused(WhyNotOpened(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !WhyNotRegular(info.st_mode).isEmpty()) {
        const int error = errno;
        const QString why = WhyNotRegular(info.st_mode);
        ::close(fd);
        return Refused(why.isEmpty() ? WhyNotOpened(error) : why);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refused(QStringLiteral("无法打开文件（%1）").arg(file->errorString()));
    }
    return {std::move(file), {}};
}
#else
OpenedFile OpenIfRegular(const QString& path) {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return Refused(QStringLiteral("无法打开文件（%1）").arg(file->errorString()));
    if (const QString why = WhyNotRegular(path); !why.isEmpty()) return Refused(why);
    return {std::move(file), {}};
}
#endif

FileOpener& TheFileOpener() {
    return theOpener.Get();
}

FileOpener* InstallFileOpener(FileOpener* opener) {
    return theOpener.Install(opener);
}

}  // namespace platform
