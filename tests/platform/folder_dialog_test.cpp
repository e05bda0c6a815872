#include "platform/folder_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include "support/qt_printers.h"

namespace {

using platform::FolderDialog;

TEST(FolderDialogTest, OpensAtTheStartFolderAndShowsTheSelectionCutTo64Characters) {
    QTemporaryDir root;
    const QString deep = root.filePath(QStringLiteral("一个很长的文件夹名字/") + QString(60, u'x'));
    ASSERT_TRUE(QDir().mkpath(deep));

    FolderDialog dialog(deep, QStringLiteral("请选择文件夹"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("请选择文件夹"));
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(deep).canonicalPath());
    EXPECT_EQ(dialog.StatusText(), deep.left(64));  // the start folder opens selected

    emit dialog.currentChanged(root.path());
    EXPECT_EQ(dialog.StatusText(), root.path());
    emit dialog.currentChanged(QString());  // an item without a path leaves the status as it was
    EXPECT_EQ(dialog.StatusText(), root.path());
}

TEST(FolderDialogTest, AMissingStartFolderIsNotShownButTheStatusFollowsTheSelection) {
    QTemporaryDir root;
    FolderDialog dialog(root.filePath(QStringLiteral("不存在")), QStringLiteral("请选择文件夹"));
    EXPECT_EQ(dialog.StatusText(), QString());
    emit dialog.currentChanged(root.path());
    EXPECT_EQ(dialog.StatusText(), root.path());
}

TEST(FolderDialogTest, WithoutAStartFolderTheStatusStaysEmpty) {
    FolderDialog dialog(QString(), QStringLiteral("请选择文件夹"));
    emit dialog.currentChanged(QDir::tempPath());
    EXPECT_EQ(dialog.StatusText(), QString());
}

TEST(FolderDialogTest, RunReturnsTheChosenFolderOrNothingOnCancel) {
    QTemporaryDir root;
    {
        FolderDialog dialog(root.path(), QStringLiteral("选择"));
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
        EXPECT_EQ(dialog.Run(), QString());
    }
    {
        FolderDialog dialog(root.path(), QStringLiteral("选择"));
        QTimer::singleShot(0, &dialog, [&dialog] { static_cast<QDialog&>(dialog).accept(); });
        EXPECT_EQ(QDir(dialog.Run()).canonicalPath(), QDir(root.path()).canonicalPath());
    }
}

}  // namespace
