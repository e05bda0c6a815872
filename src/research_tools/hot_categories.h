#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Baidu's hot-keyword lists (HotKeywordCategories): eight categories of 47 subcategories, one
// list page each, in the order of the hot-keyword page's category tree.
namespace research {

// How a list page lays out its figures.
enum class HotPageKind {
    RisingToday,  // 今日上升最快: today's searches only
    WeekHotspot,  // 一周热点: today's searches and the week's total
    Other,        // today's searches, the total so far and the daily average
};

struct HotSubcategory {
    QString category;  // its category's node text
    QString text;      // its own node text
    QString page;      // list page name: the page is /buzz/<page>.html

    HotPageKind Kind() const;
    // "关键词列表（" category "\" subcategory "）".
    QString ListCaption() const;
    // The full address of the list page.
    QString Address() const;
    // The header of the list's volume column: weekly pages show a weekly average.
    QString VolumeHeader() const;
};

// The 47 subcategories in tree order.
const std::vector<HotSubcategory>& HotKeywordCategories();
// The eight category texts in tree order.
QStringList HotCategoryNames();
// The position in HotKeywordCategories of the first subcategory whose text is `nodeText`
// exactly; -1 when none is (a category node, except 网游, whose text is also a subcategory's).
int FindHotSubcategory(const QString& nodeText);

}  // namespace research
