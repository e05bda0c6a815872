#include "lookups/alexa_rank.h"

#include <QSet>

#include "lookups/site_text.h"
#include "shared/text_helpers.h"

namespace lookups {

// A span's class is tested by being part of this text, so a shortened name (such as "c11")
// marks a decoy too.
const QString AlexaDecoyClasses = QStringLiteral(
    ".c11e.c125.c12d .c130 .c145 .c14d.c15f.c163.c178.c18c.c1a1.c1b5.c1ca.c1de"
    ".c1f3.c207.c21c.c230.c245.c259.c26e.c283.c297.c2ac.c2c0.c2d5.c2e9.c2fe"
    ".c312.c327.c33b.c350.c365.c379.c38e.c3a2.c3b7.c3cb.c3e0.c3f4.c409.c41d"
    ".c432.c446.c45b.c470.c484.c499.c4ad.c4c2.c4d6.c4eb.c4ff.c514.c528.c53d"
    ".c552.c566.c57b.c58f.c5a4.c5b8.c5cd.c5e1.c5f6.c60a.c61f.c633.c648.c65d"
    ".c671.c686.c69a.c6af.c6c3.c6d8.c6ec.c701.c715.c72a.c73f.c753.c768.c77c"
    ".c791.c7a5.c7ba.c7ce.c7e3.c7f7.c80c.c820.c835.c84a.c85e.c873.c887.c89c"
    ".c8b0.c8c5.c8d9.c8ee.c902.c917.c92c.c940.c955.c969.c97e.c992.c9a7.c9bb"
    ".c9d0.c9e4.c9f9.ca0d.ca22.ca37.ca4b.ca60.ca74.ca89.ca9d.cab2.cac6.cadb"
    ".caef.cb04 .cb19.cb2d.cb42.cb56.cb6b.cb7f.cb94.cba8.cbbd.cbd1.cbe6.cbfa"
    ".cc0f.cc24.cc38.cc4d.cc61.cc76.cc8a.cc9f.ccb3.ccc8.ccdc.ccf1.cd06.cd1a"
    ".cd2f.cd43.cd58.cd6c.cd81.cd95.cdaa.cdbe.cdd3.cde7.cdfc.ce11.ce25.ce3a"
    ".ce4e.ce63.ce77.ce8c.cea0.ceb5.cec9.cede.cef3.cf07.cf1c.cf30.cf45.cf59"
    ".cf6e.cf82.cf97.cfab.cfc0.cfd4.cfe9");

namespace {

// Whether `name` is part of AlexaDecoyClasses. The names a page uses are short: those are
// looked up among the class text's short pieces, gathered once, so that a page of many spans
// costs no search of the class text each; a longer name is searched for.
bool IsDecoyClass(QStringView name) {
    constexpr qsizetype kShortName = 8;
    static const QSet<QStringView> shortPieces = [] {
        QSet<QStringView> pieces;
        const QStringView classes(AlexaDecoyClasses);
        for (qsizetype from = 0; from <= classes.size(); ++from)
            for (qsizetype length = 0; length <= kShortName && from + length <= classes.size();
                 ++length)
                pieces.insert(classes.mid(from, length));
        return pieces;
    }();
    if (name.size() <= kShortName) return shortPieces.contains(name);
    return name.size() <= AlexaDecoyClasses.size() && AlexaDecoyClasses.contains(name);
}

const QString kDecoyStart = QStringLiteral("<span class=\"");
const QString kDecoyEnd = QStringLiteral("</span>");

// Where the decoy span that opens at `at` ends: `<span class="NAME">DIGITS</span>` with NAME a
// decoy class and no "<" in DIGITS; 0 when none opens there. Each search stops at the first
// quote or "<" after its start, and those starts lie apart, so a whole block is read once.
qsizetype DecoySpanEnd(const QString& block, qsizetype at) {
    if (!QStringView(block).mid(at).startsWith(kDecoyStart)) return 0;
    const qsizetype nameFrom = at + kDecoyStart.size();
    const qsizetype nameTo = block.indexOf(u'"', nameFrom);
    if (nameTo < 0 || nameTo + 1 >= block.size() || block[nameTo + 1] != u'>') return 0;
    const QStringView name = QStringView(block).mid(nameFrom, nameTo - nameFrom);
    if (!IsDecoyClass(name)) return 0;
    const qsizetype contentTo = block.indexOf(u'<', nameTo + 2);
    if (contentTo < 0 || !QStringView(block).mid(contentTo).startsWith(kDecoyEnd)) return 0;
    return contentTo + kDecoyEnd.size();
}

// `block` without its decoy spans, in one pass.
QString WithoutDecoys(const QString& block) {
    QString kept;
    kept.reserve(block.size());
    qsizetype i = 0;
    while (i < block.size()) {
        const qsizetype next = block.indexOf(u'<', i);
        const qsizetype copyTo = next < 0 ? block.size() : next;
        kept += QStringView(block).mid(i, copyTo - i);
        if (next < 0) break;
        if (const qsizetype after = DecoySpanEnd(block, next)) {
            i = after;
        } else {
            kept += u'<';
            i = next + 1;
        }
    }
    return kept;
}

// `block` without its tags, in one pass; a "<" that no ">" follows stays, with the rest after it.
QString WithoutTags(const QString& block) {
    QString kept;
    kept.reserve(block.size());
    qsizetype i = 0;
    while (i < block.size()) {
        const qsizetype open = block.indexOf(u'<', i);
        const qsizetype close = open < 0 ? -1 : block.indexOf(u'>', open);
        if (close < 0) {
            kept += QStringView(block).mid(i);
            break;
        }
        kept += QStringView(block).mid(i, open - i);
        i = close + 1;
    }
    return kept;
}

}  // namespace

Reading ReadAlexaRank(const QString& page) {
    if (page.contains(QStringLiteral("&nbsp;No Data")))
        return Reading::EndWith(QStringLiteral("X"));
    const QString block = GetMemo(page, QStringLiteral("the Alexa Web Information Service.-->"),
                                  QStringLiteral("</a><!--"));
    QString rank = WithoutTags(WithoutDecoys(block));
    rank.remove(u',');
    return IsValidCount(rank) ? Reading::Of(rank) : Reading::None();
}

}  // namespace lookups
