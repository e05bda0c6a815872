#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/text_counts.h"

namespace platform {

class RowTable;

// A column of a list: its caption and its width in twips (width 0 hides the column).
struct Column {
    QString caption;
    int widthTwips = 0;
};

// How a sorted list orders two cells of its sort column.
using CellLess = bool (*)(QStringView a, QStringView b);
// Text order ignoring case: the order of a list sorted by the user or by code.
bool TextLess(QStringView a, QStringView b);

// The sorting a table keeps while rows are added.
struct SortRule {
    int column = 0;  // cell number: 0 the row text, j sub-item j
    Qt::SortOrder order = Qt::AscendingOrder;
    CellLess less = TextLess;
};

// One row of a table as a short-lived handle: it names the row by its position, so it is
// valid until rows are added, removed or sorted. Jobs that wait keep a row's Key instead.
class ListItem {
  public:
    ListItem(RowTable* table, int index) : table_(table), index_(index) {}

    int Index() const { return index_; }  // from 1
    quint64 Key() const;
    QString Text() const;
    void SetText(const QString& text) const;
    // Sub-item j (from 1); an empty text for a column the row has no value in.
    QString SubItem(int j) const;
    void SetSubItem(int j, const QString& text) const;
    bool Checked() const;
    void SetChecked(bool checked) const;
    bool Bold() const;
    void SetBold(bool bold) const;
    QString Tag() const;
    void SetTag(const QString& tag) const;
    // The key of the row's small icon in its table's image list; empty for none.
    QString SmallIcon() const;
    void SetSmallIcon(const QString& key) const;

  private:
    RowTable* table_;
    int index_;
};

// The rows of a list, below any widget: cell texts, a check mark, a bold mark, a tag and a key
// that names the row for its whole life. Rows are numbered from 1 as the windows count them.
// A list view shows one table; a master copy is a table that no view shows. Every bulk change
// is one pass and one model reset, and the first-column texts are kept in a hash, so the
// windows' duplicate test and their commands stay fast on lists of 100,000 rows.
class RowTable : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit RowTable(QObject* parent = nullptr);

    // Columns, counted from 1.
    void AddColumn(const QString& caption, int widthTwips);
    void SetColumns(const std::vector<Column>& columns);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    QString ColumnText(int column) const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int widthTwips);
    // Rewrites the caption of `column`; the rows stay as they are.
    void SetColumnText(int column, const QString& caption);
    void ClearColumns();

    // Rows, counted from 1.
    int Count() const { return static_cast<int>(rows_.size()); }
    ListItem Item(int index) { return ListItem(this, index); }
    // Adds a row with `text` (in order when the table is sorted) and returns it. A row that
    // stands for a row of another table may take that row's key.
    ListItem Add(const QString& text, quint64 key = 0);
    void Remove(int index);
    void Clear();
    // Makes room for `rows` rows, so that a long fill never moves the rows it has made.
    void Reserve(int rows);

    quint64 Key(int index) const { return At(index).key; }
    // Where the row with `key` stands now; 0 once it is gone.
    int IndexOfKey(quint64 key) const;
    // Whether a row's text is `text` exactly.
    bool ContainsText(const QString& text) const;

    QString Text(int index) const { return Cell(index, 0); }
    void SetText(int index, const QString& text) { SetCell(index, 0, text); }
    // Cell j of the row: 0 the text, j >= 1 sub-item j.
    QString Cell(int index, int j) const;
    QStringView CellView(int index, int j) const;
    void SetCell(int index, int j, const QString& text);
    bool Checked(int index) const { return At(index).checked; }
    void SetChecked(int index, bool checked);
    bool Bold(int index) const { return At(index).bold; }
    void SetBold(int index, bool bold);
    // The first bold row; 0 when none is, told at once.
    int FirstBold() const;
    QString Tag(int index) const { return At(index).Tag(); }
    void SetTag(int index, const QString& tag) { Mutable(index).SetExtra(&Row::Extra::tag, tag); }
    QString SmallIcon(int index) const { return At(index).Icon(); }
    void SetSmallIcon(int index, const QString& key);
    // The pictures the rows' small-icon keys name, shown before each row's text.
    void SetImageList(const QHash<QString, QIcon>& images) { images_ = images; }

    // A whole list loaded in one pass, and many rows added at the end in one pass: see Loader
    // and Appender below.
    class Loader;
    class Appender;

    // Bulk changes, each one pass over the rows.
    // Removes every row for which `remove(index)` holds, asked of the rows as they stand
    // before the call; how many were removed.
    int RemoveWhere(const std::function<bool(int index)>& remove);
    int RemoveChecked();
    // Makes this table's rows those of `source`: texts, every cell, bold marks and keys, with
    // no row checked.
    void RebuildFrom(const RowTable& source);
    void SetAllChecked(bool checked);
    bool AnyChecked() const;

    // Sorts once by `rule` and keeps the table sorted that way while rows are added; nothing
    // switches the order off again until SetSorting(std::nullopt).
    void SetSorting(std::optional<SortRule> rule);
    const std::optional<SortRule>& Sorting() const { return sorting_; }

    // Whether the rows show check boxes a user can tick, and whether the user may edit the row
    // text in place.
    void SetCheckable(bool on) { checkable_ = on; }
    bool Checkable() const { return checkable_; }
    void SetEditable(bool on) { editable_ = on; }

    // The model the view reads.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  signals:
    // The user ticked or cleared row `index`'s box; code that sets the mark raises nothing.
    void CheckedByUser(int index);
    // The user typed `text` over row `index`'s text in place; the table is not changed yet.
    void TextEditedByUser(int index, const QString& text);
    void ColumnsChanged();

  private:
    // A row kept small, for lists of a million rows: its text stands apart, shared with the
    // duplicate test's hash; its sub-items stand in one block of its own; what many lists never
    // use (tag, icon) is made when first set.
    struct Row {
        struct Extra {
            QString tag;
            QString icon;
        };

        QString text;
        // The sub-items one after another, then where each ends (two units each, high half
        // first), then how many there are: every cell of a row in one block.
        QString cells;
        std::unique_ptr<Extra> extra;
        quint64 key = 0;
        bool checked = false;
        bool bold = false;

        Row() = default;
        Row(const Row& other);
        Row& operator=(const Row& other);
        Row(Row&&) noexcept = default;
        Row& operator=(Row&&) noexcept = default;

        int CellCount() const { return cells.isEmpty() ? 0 : cells.back().unicode(); }
        QStringView CellView(int j) const;
        void SetSubItem(int j, QStringView value);
        // Appends a sub-item that `write` puts at the QChar* it is handed, in at most `room`
        // units; it returns the end of what it wrote.
        template <class Write>
        void AppendCell(qsizetype room, Write write);
        QString Tag() const { return extra ? extra->tag : QString(); }
        QString Icon() const { return extra ? extra->icon : QString(); }
        void SetExtra(QString Extra::*field, const QString& value);
        Extra& MadeExtra();

      private:
        // Where each sub-item ends.
        QVarLengthArray<qsizetype, 16> Ends() const;
        // Ends the cells with `ends` and their count, the texts standing before.
        void WriteEnds(const QVarLengthArray<qsizetype, 16>& ends);

        friend class Loader;
    };

    const Row& At(int index) const { return rows_[static_cast<size_t>(index - 1)]; }
    Row& Mutable(int index) { return rows_[static_cast<size_t>(index - 1)]; }
    static quint64 NewKey();
    // Where a row with `text` in the sort column goes in the sorted rows.
    int SortedPosition(QStringView text) const;
    void CountText(const QString& text, int delta);
    // Makes the duplicate test's counts again after a bulk removal, if none came since.
    void RecountTexts() const;
    // A bulk removal leaves the counts to be made again by the next duplicate test.
    void ForgetTextCounts() { textCountsValid_ = false; }
    void ForgetPositions() const { positionsValid_ = false; }
    void MakePositions() const;
    void EmitRowChanged(int index, int firstColumn, int lastColumn);

    std::vector<Column> columns_;
    std::vector<Row> rows_;
    mutable TextCounts textCounts_;
    mutable bool textCountsValid_ = true;
    // How many rows are bold: a list with none needs no search for the first.
    int boldRows_ = 0;
    // Where each row stands by key, made again in one pass when a look-up needs it: by the
    // key's distance from the least key while the keys lie close together, as a list's keys
    // do, else in a hash.
    mutable std::vector<int> positionsByKey_;
    mutable quint64 leastKey_ = 0;
    mutable QHash<quint64, int> positions_;
    mutable bool positionsValid_ = true;
    // The key of the first row of a table loaded or rebuilt in one pass, whose rows stand in
    // the order of their keys: such a row is found without any table of positions.
    quint64 loadedKey_ = 0;
    std::optional<SortRule> sorting_;
    // Rows at the end that an Appender added and the views are not yet told of.
    int unannounced_ = 0;
    QHash<QString, QIcon> images_;
    bool checkable_ = false;
    bool editable_ = false;
};

// A whole list loaded in one pass, for lists read from a file or a database: the table is
// emptied and unsorted, holds room for the rows to come, and shows them with one model reset
// when the loader ends. Rows go in order at the end, each its text first and then its
// sub-items from 1 on, each made once in the row's own storage.
class RowTable::Loader {
  public:
    Loader(RowTable& table, int rows);
    ~Loader();
    Loader(const Loader&) = delete;
    Loader& operator=(const Loader&) = delete;

    // Starts a row of `text` with room for `cellsLength` characters of sub-items.
    void AddRow(QString text, qsizetype cellsLength);
    // Appends the next sub-item of the row being made.
    void AddCell(QStringView text);
    void AddCell(QUtf8StringView text);
    // Sub-item j of the row being made.
    QStringView Cell(int j) const;

  private:
    // Makes room for `room` more characters in the row being made; where they go.
    QChar* CellRoom(qsizetype room);
    // Ends the row being made: where its cells end written once, behind them.
    void EndRow();

    RowTable& table_;
    QStringDecoder utf8_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    // Where each cell of the row being made ends: kept here until the row ends, so that each
    // cell added costs no reading and writing of those before it.
    QVarLengthArray<qsizetype, 16> ends_;
};

// Many new rows added at the end of a table in one pass, for a long list such as a file's:
// each counts for the duplicate test (ContainsText) as soon as it is added, and the views are
// told of them all at once when the appender ends, in the table's order when it is sorted.
// Drop takes back every row added so far.
class RowTable::Appender {
  public:
    // Room for `rows` more rows.
    Appender(RowTable& table, qsizetype rows);
    ~Appender();
    Appender(const Appender&) = delete;
    Appender& operator=(const Appender&) = delete;

    // Adds a row of `text` unless a row has that text already; whether it added one.
    bool AddNew(const QString& text);
    void Drop();

  private:
    RowTable& table_;
    int first_;  // where the first added row stands, from 0
};

// Whether `table` has a row whose text equals `s` with its surrounding blanks (U+0020) removed
// and in lower case; the rows' texts are compared as they stand. One look-up, whatever the
// table's length.
bool ListContainsText(const QString& s, const RowTable& table);

}  // namespace platform
