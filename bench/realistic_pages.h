#pragma once

#include <QString>

// The size of a Baidu results page as served, in GBK.
inline constexpr qsizetype kResultsPageBytes = 60 * 1024;

// The bytes `text` takes in GBK: one for ASCII, two for every other character the pages use.
inline qsizetype GbkBytes(QStringView text) {
    qsizetype bytes = 0;
    for (const QChar c : text) bytes += c.unicode() < 0x80 ? 1 : 2;
    return bytes;
}

// A Baidu results page of a realistic size (about 60 KB as served in GBK), with its count
// markers and, before its results, `related` (the related searches' links, empty for none).
inline QString RealisticResultsPage(const QString& related = {}) {
    QString page = QStringLiteral(
                       "<html><head><meta charset=gb2312><title>百度搜索</title></head>"
                       "<body>百度一下，找到相关网页约1,230篇") +
                   related;
    const QString end = QStringLiteral("</body></html>");
    qsizetype bytes = GbkBytes(page) + GbkBytes(end);
    for (int i = 0; bytes < kResultsPageBytes; ++i) {
        const QString result =
            QStringLiteral(
                "<div class=\"result\"><h3><a href=\"http://www.baidu.com/link?url=%1\">"
                "减肥茶的结果%1</a></h3><div class=\"c-abstract\">…摘要…</div></div>")
                .arg(i);
        page += result;
        bytes += GbkBytes(result);
    }
    return page + end;
}
