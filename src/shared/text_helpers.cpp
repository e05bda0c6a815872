#include "shared/text_helpers.h"

#include <QRegularExpression>
#include <array>

namespace {

// The removals of ClearHtml, in the order they apply. Tag patterns match by the beginning of
// the tag name, so "</?p[^>]*>" also takes <param> or <pre>; that is how pages were always
// cleaned here.
constexpr std::array<const char*, 28> kMarkupPatterns = {
    R"(&#[^>]*;)",
    R"(</?marquee[^>]*>)",
    R"(</?object[^>]*>)",
    R"(</?param[^>]*>)",
    R"(</?embed[^>]*>)",
    R"(</?table[^>]*>)",
    R"(&nbsp;)",
    R"(</?tr[^>]*>)",
    R"(</?th[^>]*>)",
    R"(</?p[^>]*>)",
    R"(</?a[^>]*>)",
    R"(</?img[^>]*>)",
    R"(</?tbody[^>]*>)",
    R"(</?li[^>]*>)",
    R"(</?span[^>]*>)",
    R"(</?div[^>]*>)",
    R"(</?th[^>]*>)",
    R"(</?td[^>]*>)",
    R"(</?script[^>]*>)",
    R"((javascript|jscript|vbscript|vbs):)",
    R"(on(mouse|exit|error|click|key))",
    R"(<\\?xml[^>]*>)",
    R"(<\/?[a-z]+:[^>]*>)",
    R"(</?font[^>]*>)",
    R"(</?b[^>]*>)",
    R"(</?u[^>]*>)",
    R"(</?i[^>]*>)",
    R"(</?strong[^>]*>)",
};

// The one place a regular expression is applied: every match of `pattern`, ignoring case,
// replaced by `replacement`.
QString RegexReplace(const QRegularExpression& pattern, const QString& replacement,
                     const QString& content) {
    if (!pattern.isValid()) return {};
    return QString(content).replace(pattern, replacement);
}

const std::array<QRegularExpression, kMarkupPatterns.size()>& MarkupExpressions() {
    static const auto expressions = [] {
        std::array<QRegularExpression, kMarkupPatterns.size()> compiled;
        for (size_t i = 0; i < kMarkupPatterns.size(); ++i)
            compiled[i] = QRegularExpression(QString::fromLatin1(kMarkupPatterns[i]),
                                             QRegularExpression::CaseInsensitiveOption);
        return compiled;
    }();
    return expressions;
}

}  // namespace

QString GetMemo(const QString& temp, const QString& firststr, const QString& endstr) {
    if (temp.isEmpty()) return {};
    const qsizetype start = temp.indexOf(firststr);
    if (start < 0) return {};
    const qsizetype from = start + firststr.size();
    const qsizetype stop = temp.indexOf(endstr, from);
    if (stop < 0) return {};
    return temp.mid(from, stop - from);
}

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.mid(first, last - first);
}

bool CheckNull(const QString& u) {
    return TrimBlanks(u).isEmpty();
}

QString GetSqlStr(const QString& u) {
    return QString(u).replace(u'\'', u'"');
}

QString ClearHtml(QString& content) {
    for (const QRegularExpression& pattern : MarkupExpressions())
        content = RegexReplace(pattern, QString(), content);
    return content;
}
