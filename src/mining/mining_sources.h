#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "mining/mining_binding.h"

// The eight places a mining run asks for keywords related to its seed, in the order it asks
// them, and how each one's page is cut into items.
namespace mining {

// The form in which a source places the seed into its address.
enum class KeywordForm {
    Gbk,         // percent-encoded GBK
    Utf8,        // percent-encoded UTF-8
    HelperPage,  // as the local helper page gives it
};

// How an item is cut out of a piece of the block.
enum class ItemCut {
    WholePiece,
    BetweenAngleBrackets,  // the text between the first ">" and the next "<"
    BetweenApostrophes,    // the text between the first "'" and the next "'"
};

struct MiningSource {
    int number = 0;  // 1 to 8; the source's SourceDone flag is number - 1
    QString name{};

    // The request: endpoint + pathBefore + keyword + pathAfter, the keyword in `form`.
    QString endpoint{};
    QString pathBefore{};
    QString pathAfter{};
    KeywordForm form = KeywordForm::Gbk;
    // The charset the reply is decoded with.
    QString charset{};
    // Seeds the source is not asked about: it is done at once.
    QStringList skippedSeeds{};
    // Baidu's results page: fetched again through the window's browser when the reply is
    // empty, answered by the blocking reaction when it is neither a result nor a no-result page,
    // and cut as a whole, lower-cased and without " nowrap", instead of a block.
    bool baiduResultsPage = false;

    // The block: the text between the first start marker and the next end marker after it.
    QString blockStart{};
    QString blockEnd{};
    // The block is split on the first separator that splits it; on the last when none does.
    QStringList separators{};
    // Pieces are numbered from 0, piece 0 being the text before the first separator; these are
    // the first and the last piece taken (-1: the last piece of the block).
    int firstPiece = 0;
    int lastPiece = -1;
    ItemCut cut = ItemCut::WholePiece;
    // Characters removed from every item.
    QString removedCharacters{};
};

// The sources in the order a run asks them.
const std::array<MiningSource, kSourceCount>& MiningSources();

// The address `source` asks for, with `keyword` already in the source's form.
QString SourceAddress(const MiningSource& source, const QString& keyword);

// The raw items of a `page` of `source`, in page order, before the run lower-cases and trims
// them; an item whose cut markers are missing is empty.
QStringList SourceItems(const MiningSource& source, const QString& page);

}  // namespace mining
