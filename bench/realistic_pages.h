#pragma once

#include <QString>

// A Baidu results page of a realistic size (about 60 KB), with its count markers and, before
// its results, `related` (the related searches' links, empty for none).
inline QString RealisticResultsPage(const QString& related = {}) {
    QString page = QStringLiteral(
                       "<html><head><meta charset=gb2312><title>百度搜索</title></head>"
                       "<body>百度一下，找到相关网页约1,230篇") +
                   related;
    for (int i = 0; i < 600; ++i)
        page += QStringLiteral("<div class=\"result\"><h3>减肥茶的结果%1</h3>…摘要…</div>").arg(i);
    return page + QStringLiteral("</body></html>");
}
