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
        const QByteArray native = QFile::encodeName(path);
        struct stat info {};
        if (::stat(native.constData(), &info) != 0) return Refused(WhyNotOpened(errno));
        if (const QString why = WhyNotRegular(info.st_mode); !why.isEmpty()) return Refused(why);
        // Without waiting, in case the path became a pipe since the look above; what was opened
        // is looked at again.
        const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return Refused(WhyNotOpened(errno));
        if (::fstat(fd, &info) != 0 || !WhyNotRegular(info.st_mode).isEmpty()) {
            const QString why = WhyNotRegular(info.st_mode);
            ::close(fd);
            return Refused(why.isEmpty() ? WhyNotOpened(errno) : why);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        auto file = std::make_unique<QFile>(path);
        if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return Refused(QStringLiteral("无法打开文件（%1）").arg(file->errorString()));
        }
        return {std::move(file), {}};
    }
};
#else
class SystemFileOpener : public FileOpener {
  public:
    OpenedFile OpenRegularFile(const QString& path) override {
        const QFileInfo info(path);
        if (!info.exists()) return Refused(QStringLiteral("文件不存在"));
        if (info.isDir()) return Refused(QStringLiteral("这是一个文件夹，不是文件"));
        if (!info.isFile()) return Refused(QStringLiteral("这不是普通文件"));
        auto file = std::make_unique<QFile>(path);
        if (!file->open(QIODevice::ReadOnly))
            return Refused(QStringLiteral("无法打开文件（%1）").arg(file->errorString()));
        return {std::move(file), {}};
    }
};
#endif

Replaceable<FileOpener, SystemFileOpener> theOpener;

}  // namespace

FileOpener& TheFileOpener() {
    return theOpener.Get();
}

FileOpener* InstallFileOpener(FileOpener* opener) {
    return theOpener.Install(opener);
}

}  // namespace platform
