#include "platform/regular_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <future>

#include "support/qt_printers.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The path was a regular file when the opener looked at it, and is a pipe without a writer when
// it opens it: the open must not wait for a writer that never comes.
TEST(RegularFileTest, APathThatBecameAPipeIsRefusedWithoutWaiting) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("list.txt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    std::future<platform::OpenedFile> opening =
        std::async(std::launch::async, [&fifo] { return platform::OpenIfRegular(fifo); });
    // Only a failing open is waited for this long; then a writer lets it go, so that the test
    // ends.
    if (opening.wait_for(std::chrono::minutes(1)) != std::future_status::ready) {
        ADD_FAILURE() << "the open waits for a writer";
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        opening.wait();
        if (writer >= 0) ::close(writer);
        return;
    }
    const platform::OpenedFile opened = opening.get();
    EXPECT_EQ(opened.file, nullptr);
    EXPECT_EQ(opened.refusal, QStringLiteral("这是一个管道（FIFO），不是普通文件"));
}

TEST(RegularFileTest, OnlyARegularFileIsOpened) {
    QTemporaryDir folder;
    const QString regular = folder.filePath(QStringLiteral("list.txt"));
    QFile written(regular);
    ASSERT_TRUE(written.open(QIODevice::WriteOnly));
    written.write("seo\r\n");
    written.close();

    const platform::OpenedFile opened = platform::OpenIfRegular(regular);
    ASSERT_NE(opened.file, nullptr);
    EXPECT_EQ(opened.file->readAll(), QByteArray("seo\r\n"));

    const struct {
        QString path;
        QString refusal;
    } cases[] = {
        {QStringLiteral("/dev/null"), QStringLiteral("这是一个设备，不是普通文件")},
        {folder.path(), QStringLiteral("这是一个文件夹，不是文件")},
        {folder.filePath(QStringLiteral("missing.txt")), QStringLiteral("文件不存在")},
    };
    for (const auto& c : cases) {
        const platform::OpenedFile refused = platform::OpenIfRegular(c.path);
        EXPECT_EQ(refused.file, nullptr) << c.path.toStdString();
        EXPECT_EQ(refused.refusal, c.refusal) << c.path.toStdString();
    }
}

}  // namespace
#endif
