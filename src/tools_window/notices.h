#pragma once

#include <QString>

// The answer of the database commands while db.db is missing.
inline const QString kDatabaseMissingNotice =
    QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！");

// The tools window's messages: notices titled "提示" with the information icon, and questions
// titled "提示" without an icon.
void Notice(const QString& text);
bool AskYesNo(const QString& text);
bool AskOkCancel(const QString& text);
