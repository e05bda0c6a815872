#pragma once

#include <QString>
#include <QVariant>

// Reading site metrics out of the pages of search engines and lookup sites: pure functions of
// the page text.
namespace lookups {

// What a page says about a metric.
struct Reading {
    enum class Kind {
        Value,    // a usable value
        End,      // the source says there is nothing to find: `value` is final
        Nothing,  // nothing usable: the next source may know
    };
    Kind kind = Kind::Nothing;
    QVariant value;

    static Reading Of(const QVariant& value) { return {Kind::Value, value}; }
    static Reading EndWith(const QVariant& value) { return {Kind::End, value}; }
    static Reading None() { return {}; }
    bool operator==(const Reading&) const = default;
};

// Where a count stands on a page, and how it is cleaned. Every member has an initializer, so
// that a rule names only the fields it uses.
struct CountRule {
    QString failure{};   // a page holding this gives nothing
    QString found{};     // the count is read only from a page holding this (empty: any page)
    QString noResult{};  // on a page without `found`: the source found nothing, value below
    QVariant noResultValue{};
    QString split{};  // when set, the count lies in piece `piece` (0 first) of the page split here
    int piece = 0;
    QString start{};  // the count stands between these
    QString end{};
    bool trim = false;
    bool removeAbout = false;  // every "约"
    bool removeCommas = false;
    bool anyNumber = false;  // any count is usable, "0" too; otherwise IsValidCount decides
};

Reading ReadCount(const QString& page, const CountRule& rule);

// The English-language Google count: "of about <b>N<" (or "of <b>N<") on a page holding
// "</b> of"; "X" when the page says nothing matched or carries neither.
Reading ReadEnglishGoogleCount(const QString& page);

// The PageRank named by a picture address: its last six characters without ".gif" and "/"
// ("…/7.gif" gives "7", "…/10.gif" gives "10"), whatever they are.
QString PageRankFromAddress(const QString& address);

}  // namespace lookups
