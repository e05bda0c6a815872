#include "shared/folder_picker.h"

#include "platform/prompts.h"

QString BrowseForFolder(const QString& initialDir, const QString& title) {
    const QString prompt = title.isEmpty() ? QStringLiteral("【请选择文件夹】") : title;
    return platform::ThePrompts().BrowseForFolder(initialDir, prompt);
}
