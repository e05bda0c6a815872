#include "platform/row_table.h"

#include <QFont>
#include <algorithm>
#include <numeric>

namespace platform {

bool TextLess(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

quint64 ListItem::Key() const {
    return table_->Key(index_);
}
QString ListItem::Text() const {
    return table_->Text(index_);
}
void ListItem::SetText(const QString& text) const {
    table_->SetText(index_, text);
}
QString ListItem::SubItem(int j) const {
    return table_->Cell(index_, j);
}
void ListItem::SetSubItem(int j, const QString& text) const {
    table_->SetCell(index_, j, text);
}
bool ListItem::Checked() const {
    return table_->Checked(index_);
}
void ListItem::SetChecked(bool checked) const {
    table_->SetChecked(index_, checked);
}
bool ListItem::Bold() const {
    return table_->Bold(index_);
}
void ListItem::SetBold(bool bold) const {
    table_->SetBold(index_, bold);
}
QString ListItem::Tag() const {
    return table_->Tag(index_);
}
void ListItem::SetTag(const QString& tag) const {
    table_->SetTag(index_, tag);
}
QString ListItem::SmallIcon() const {
    return table_->SmallIcon(index_);
}
void ListItem::SetSmallIcon(const QString& key) const {
    table_->SetSmallIcon(index_, key);
}

RowTable::Row::Row(const Row& other)
    : text(other.text),
      cells(other.cells),
      extra(other.extra ? std::make_unique<Extra>(*other.extra) : nullptr),
      key(other.key),
      checked(other.checked),
      bold(other.bold) {}

RowTable::Row& RowTable::Row::operator=(const Row& other) {
    if (this != &other) *this = Row(other);
    return *this;
}

RowTable::Row::Extra& RowTable::Row::MadeExtra() {
    if (!extra) extra = std::make_unique<Extra>();
    return *extra;
}

QVarLengthArray<qsizetype, 16> RowTable::Row::Ends() const {
    QVarLengthArray<qsizetype, 16> ends;
    const int count = CellCount();
    if (count == 0) return ends;
    const qsizetype at = cells.size() - 1 - 2 * qsizetype(count);
    for (int k = 0; k < count; ++k)
        ends.append(qsizetype(cells[at + 2 * k].unicode()) << 16 | cells[at + 2 * k + 1].unicode());
    return ends;
}

void RowTable::Row::WriteEnds(const QVarLengthArray<qsizetype, 16>& ends) {
    const qsizetype at = cells.size();
    cells.resize(at + 2 * ends.size() + 1);
    QChar* to = cells.data() + at;
    for (const qsizetype end : ends) {
        *to++ = QChar(char16_t(end >> 16));
        *to++ = QChar(char16_t(end & 0xffff));
    }
    *to = QChar(char16_t(ends.size()));
}

QStringView RowTable::Row::CellView(int j) const {
    if (j == 0) return text;
    const int count = CellCount();
    if (j < 1 || j > count) return {};
    const qsizetype at = cells.size() - 1 - 2 * qsizetype(count);
    const auto end = [&](int k) {
        return qsizetype(cells[at + 2 * k].unicode()) << 16 | cells[at + 2 * k + 1].unicode();
    };
    const qsizetype begin = j == 1 ? 0 : end(j - 2);
    return QStringView(cells).mid(begin, end(j - 1) - begin);
}

template <class Write>
void RowTable::Row::AppendCell(qsizetype room, Write write) {
    QVarLengthArray<qsizetype, 16> ends = Ends();
    const qsizetype at = ends.isEmpty() ? 0 : ends.back();
    // Room for a few more short cells, so that filling a row seldom grows it twice.
    const qsizetype needed = at + room + 2 * (ends.size() + 1) + 1;
    if (cells.capacity() < needed) cells.reserve(needed + 32);
    cells.resize(at + room);
    const QChar* const written = write(cells.data() + at);
    cells.truncate(written - cells.constData());
    ends.append(cells.size());
    WriteEnds(ends);
}

void RowTable::Row::SetSubItem(int j, QStringView value) {
    const auto copy = [value](QChar* to) {
        std::copy(value.begin(), value.end(), to);
        return to + value.size();
    };
    if (j == CellCount() + 1) {  // the usual case: cells are filled from left to right
        AppendCell(value.size(), copy);
        return;
    }
    QVarLengthArray<qsizetype, 16> ends = Ends();
    cells.truncate(ends.isEmpty() ? 0 : ends.back());
    while (ends.size() < j) ends.append(cells.size());
    const qsizetype begin = j == 1 ? 0 : ends[j - 2];
    const qsizetype delta = value.size() - (ends[j - 1] - begin);
    cells.replace(begin, ends[j - 1] - begin, value.data(), value.size());
    for (qsizetype k = j - 1; k < ends.size(); ++k) ends[k] += delta;
    WriteEnds(ends);
}

void RowTable::Row::SetExtra(QString Extra::*field, const QString& value) {
    if (!extra && value.isEmpty()) return;
    MadeExtra().*field = value;
    if (extra->tag.isEmpty() && extra->icon.isEmpty()) extra.reset();
}

RowTable::RowTable(QObject* parent) : QAbstractTableModel(parent) {}

quint64 RowTable::NewKey() {
    static quint64 next = 0;
    return ++next;
}

void RowTable::AddColumn(const QString& caption, int widthTwips) {
    const int column = ColumnCount();
    beginInsertColumns({}, column, column);
    columns_.push_back({caption, widthTwips});
    endInsertColumns();
    emit ColumnsChanged();
}

void RowTable::SetColumns(const std::vector<Column>& columns) {
    beginResetModel();
    columns_ = columns;
    endResetModel();
    emit ColumnsChanged();
}

void RowTable::ClearColumns() {
    SetColumns({});
}

QString RowTable::ColumnText(int column) const {
    return column >= 1 && column <= ColumnCount() ? columns_[column - 1].caption : QString();
}

int RowTable::ColumnWidth(int column) const {
    return column >= 1 && column <= ColumnCount() ? columns_[column - 1].widthTwips : 0;
}

void RowTable::SetColumnWidth(int column, int widthTwips) {
    if (column < 1 || column > ColumnCount()) return;
    columns_[column - 1].widthTwips = widthTwips;
    emit ColumnsChanged();
}

void RowTable::SetColumnText(int column, const QString& caption) {
    if (column < 1 || column > ColumnCount() || columns_[column - 1].caption == caption) return;
    columns_[column - 1].caption = caption;
    emit headerDataChanged(Qt::Horizontal, column - 1, column - 1);
}

ListItem RowTable::Add(const QString& text, quint64 key) {
    Row row;
    row.text = text;
    row.key = key ? key : NewKey();
    const int position = sorting_ ? SortedPosition(text) : Count();
    beginInsertRows({}, position, position);
    rows_.insert(rows_.begin() + position, std::move(row));
    endInsertRows();
    CountText(rows_[position].text, +1);
    // Positions are made again when a row is looked up by key, which jobs seldom need: they
    // find their row where it stood.
    ForgetPositions();
    return ListItem(this, position + 1);
}

void RowTable::Remove(int index) {
    if (index < 1 || index > Count()) return;
    beginRemoveRows({}, index - 1, index - 1);
    CountText(At(index).text, -1);
    boldRows_ -= At(index).bold ? 1 : 0;
    rows_.erase(rows_.begin() + (index - 1));
    endRemoveRows();
    ForgetPositions();
}

void RowTable::Clear() {
    beginResetModel();
    rows_.clear();
    textCounts_.Clear();
    textCountsValid_ = true;
    boldRows_ = 0;
    positions_.clear();
    positionsByKey_.clear();
    positionsValid_ = true;
    loadedKey_ = 0;
    endResetModel();
}

void RowTable::Reserve(int rows) {
    // The duplicate test's counts grow as rows come: a table filled as a copy of another
    // counts its texts only when asked.
    rows_.reserve(static_cast<size_t>(qMax(0, rows)));
}

int RowTable::IndexOfKey(quint64 key) const {
    // No row has key 0: asking for it makes no table of positions.
    if (key == 0) return 0;
    if (loadedKey_ != 0 && key >= loadedKey_ && key - loadedKey_ < rows_.size() &&
        rows_[key - loadedKey_].key == key)
        return static_cast<int>(key - loadedKey_) + 1;
    if (!positionsValid_) MakePositions();
    if (!positionsByKey_.empty() || positions_.isEmpty()) {
        const quint64 at = key - leastKey_;
        return key >= leastKey_ && at < positionsByKey_.size() ? positionsByKey_[at] : 0;
    }
    return positions_.value(key, 0);
}

void RowTable::MakePositions() const {
    positionsByKey_.clear();
    positions_.clear();
    positionsValid_ = true;
    if (rows_.empty()) return;
    const auto [least, most] = std::minmax_element(
        rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
    leastKey_ = least->key;
    const quint64 span = most->key - least->key + 1;
    if (span <= 4 * rows_.size() + 1024) {
        positionsByKey_.assign(span, 0);
        for (size_t i = 0; i < rows_.size(); ++i)
            positionsByKey_[rows_[i].key - leastKey_] = static_cast<int>(i) + 1;
        return;
    }
    positions_.reserve(Count());
    for (int i = 0; i < Count(); ++i) positions_.insert(rows_[i].key, i + 1);
}

QString RowTable::Cell(int index, int j) const {
    return CellView(index, j).toString();
}

QStringView RowTable::CellView(int index, int j) const {
    if (index < 1 || index > Count()) return {};
    return At(index).CellView(j);
}

void RowTable::SetCell(int index, int j, const QString& text) {
    if (index < 1 || index > Count() || j < 0) return;
    Row& row = Mutable(index);
    if (j == 0) {
        CountText(row.text, -1);
        row.text = text;
        CountText(row.text, +1);
    } else {
        row.SetSubItem(j, text);
    }
    EmitRowChanged(index, j, j);
    // A row whose sort cell changes keeps its place: lists re-sort on request only.
}

void RowTable::SetChecked(int index, bool checked) {
    if (index < 1 || index > Count()) return;
    Mutable(index).checked = checked;
    EmitRowChanged(index, 0, 0);
}

void RowTable::SetBold(int index, bool bold) {
    if (index < 1 || index > Count()) return;
    Row& row = Mutable(index);
    boldRows_ += (bold ? 1 : 0) - (row.bold ? 1 : 0);
    row.bold = bold;
    EmitRowChanged(index, 0, qMax(0, ColumnCount() - 1));
}

int RowTable::FirstBold() const {
    if (boldRows_ == 0) return 0;
    const auto bold =
        std::find_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.bold; });
    return bold == rows_.end() ? 0 : static_cast<int>(bold - rows_.begin()) + 1;
}

void RowTable::SetSmallIcon(int index, const QString& key) {
    if (index < 1 || index > Count()) return;
    Mutable(index).SetExtra(&Row::Extra::icon, key);
    EmitRowChanged(index, 0, 0);
}

int RowTable::RemoveWhere(const std::function<bool(int index)>& remove) {
    std::vector<char> doomed(rows_.size());
    bool any = false;
    for (int i = 1; i <= Count(); ++i) any |= (doomed[i - 1] = remove(i)) != 0;
    if (!any) return 0;
    beginResetModel();
    const size_t before = rows_.size();
    size_t kept = 0;
    for (size_t i = 0; i < before; ++i) {
        if (doomed[i]) {
            boldRows_ -= rows_[i].bold ? 1 : 0;
            continue;
        }
        if (kept != i) rows_[kept] = std::move(rows_[i]);
        ++kept;
    }
    rows_.resize(kept);
    ForgetTextCounts();
    ForgetPositions();
    endResetModel();
    return static_cast<int>(before - rows_.size());
}

int RowTable::RemoveChecked() {
    return RemoveWhere([this](int index) { return Checked(index); });
}

void RowTable::RebuildFrom(const RowTable& source) {
    if (&source == this) return;
    beginResetModel();
    rows_.clear();
    rows_.reserve(source.rows_.size());
    for (const Row& from : source.rows_) {
        // Made in place as a copy, then what is not copied taken back while the row is at hand.
        Row& row = rows_.emplace_back(from);
        row.SetExtra(&Row::Extra::tag, QString());
        row.checked = false;
    }
    // Counted again by the first duplicate test, if any ever comes: a copy of a list of a million
    // rows costs no second count it may never use.
    textCounts_.Clear();
    ForgetTextCounts();
    ForgetPositions();
    loadedKey_ = source.loadedKey_;
    boldRows_ = source.boldRows_;
    endResetModel();
}

RowTable::Loader::Loader(RowTable& table, int rows) : table_(table) {
    table_.beginResetModel();
    table_.sorting_.reset();
    table_.rows_.clear();
    table_.rows_.reserve(static_cast<size_t>(qMax(0, rows)));
    // Made again by the first duplicate test or look-up by key, if any ever comes.
    table_.textCounts_.Clear();
    table_.ForgetTextCounts();
    table_.boldRows_ = 0;
    table_.positions_.clear();
    table_.positionsByKey_.clear();
    table_.ForgetPositions();
    table_.loadedKey_ = 0;
}

RowTable::Loader::~Loader() {
    EndRow();
    table_.endResetModel();
}

void RowTable::Loader::AddRow(QString text, qsizetype cellsLength) {
    EndRow();
    // Room for where each of a usual row's cells ends, too.
    constexpr qsizetype kEnds = 2 * 8 + 1;
    Row& row = table_.rows_.emplace_back();
    row.text = std::move(text);
    row.cells.reserve(cellsLength + kEnds);
    row.key = NewKey();
    if (table_.rows_.size() == 1) table_.loadedKey_ = row.key;
}

QStringView RowTable::Loader::Cell(int j) const {
    if (j == 0) return table_.rows_.back().text;
    if (j < 1 || j > ends_.size()) return {};
    const qsizetype begin = j == 1 ? 0 : ends_[j - 2];
    return QStringView(table_.rows_.back().cells).mid(begin, ends_[j - 1] - begin);
}

QChar* RowTable::Loader::CellRoom(qsizetype room) {
    QString& cells = table_.rows_.back().cells;
    const qsizetype at = ends_.isEmpty() ? 0 : ends_.back();
    // Room for the ends too, so that the row seldom grows when it ends.
    const qsizetype needed = at + room + 2 * (ends_.size() + 1) + 1;
    if (cells.capacity() < needed) cells.reserve(needed + 32);
    if (cells.size() < at + room) cells.resize(at + room);
    return cells.data() + at;
}

void RowTable::Loader::AddCell(QStringView text) {
    QChar* const to = CellRoom(text.size());
    std::copy(text.begin(), text.end(), to);
    ends_.append((ends_.isEmpty() ? 0 : ends_.back()) + text.size());
}

void RowTable::Loader::AddCell(QUtf8StringView text) {
    // Decoded in place: UTF-16 never takes more units than UTF-8 takes bytes.
    QChar* const to = CellRoom(text.size());
    const QChar* const end = utf8_.appendToBuffer(to, QByteArrayView(text.data(), text.size()));
    ends_.append((ends_.isEmpty() ? 0 : ends_.back()) + (end - to));
}

void RowTable::Loader::EndRow() {
    if (table_.rows_.empty()) return;
    Row& row = table_.rows_.back();
    row.cells.truncate(ends_.isEmpty() ? 0 : ends_.back());
    if (!ends_.isEmpty()) row.WriteEnds(ends_);
    ends_.clear();
}

RowTable::Appender::Appender(RowTable& table, qsizetype rows)
    : table_(table), first_(table.Count()) {
    const qsizetype room = table.Count() + qMax<qsizetype>(0, rows);
    table_.rows_.reserve(static_cast<size_t>(room));
    table_.RecountTexts();
    table_.textCounts_.Reserve(room);
    table_.ForgetPositions();
}

RowTable::Appender::~Appender() {
    const int added = table_.unannounced_;
    if (added == 0) return;
    table_.beginInsertRows({}, table_.Count() - added, table_.Count() - 1);
    table_.unannounced_ = 0;
    table_.endInsertRows();
    if (table_.sorting_) table_.SetSorting(table_.sorting_);
}

bool RowTable::Appender::AddNew(const QString& text) {
    // The counts were made valid by the constructor.
    if (!table_.textCounts_.AddNew(text)) return false;
    Row& row = table_.rows_.emplace_back();
    row.text = text;
    row.key = NewKey();
    table_.ForgetPositions();
    ++table_.unannounced_;
    return true;
}

void RowTable::Appender::Drop() {
    for (auto row = table_.rows_.begin() + first_; row != table_.rows_.end(); ++row) {
        table_.CountText(row->text, -1);
        table_.boldRows_ -= row->bold ? 1 : 0;
    }
    table_.rows_.erase(table_.rows_.begin() + first_, table_.rows_.end());
    table_.unannounced_ = 0;
    table_.ForgetPositions();
}

void RowTable::SetAllChecked(bool checked) {
    for (Row& row : rows_) row.checked = checked;
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(Count() - 1, 0), {Qt::CheckStateRole});
}

bool RowTable::AnyChecked() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.checked; });
}

void RowTable::SetSorting(std::optional<SortRule> rule) {
    sorting_ = rule;
    if (!sorting_) return;
    const SortRule s = *sorting_;
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this, &s](int a, int b) {
        const QStringView x = rows_[a].CellView(s.column), y = rows_[b].CellView(s.column);
        return s.order == Qt::AscendingOrder ? s.less(x, y) : s.less(y, x);
    });
    beginResetModel();
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (int i : order) sorted.push_back(std::move(rows_[i]));
    rows_.swap(sorted);
    ForgetPositions();
    endResetModel();
}

int RowTable::SortedPosition(QStringView text) const {
    const SortRule& s = *sorting_;
    // After every row that sorts before or level with the new one, as a stable sort puts it.
    const auto at =
        std::upper_bound(rows_.begin(), rows_.end(), text, [&s](QStringView value, const Row& row) {
            const QStringView cell = row.CellView(s.column);
            return s.order == Qt::AscendingOrder ? s.less(value, cell) : s.less(cell, value);
        });
    return static_cast<int>(at - rows_.begin());
}

void RowTable::RecountTexts() const {
    if (textCountsValid_) return;
    textCounts_.Clear();
    textCounts_.Reserve(Count());
    for (const Row& row : rows_) textCounts_.Add(row.text, +1);
    textCountsValid_ = true;
}

bool RowTable::ContainsText(const QString& text) const {
    RecountTexts();
    return textCounts_.Contains(text);
}

void RowTable::CountText(const QString& text, int delta) {
    if (textCountsValid_) textCounts_.Add(text, delta);
}

void RowTable::EmitRowChanged(int index, int firstColumn, int lastColumn) {
    if (lastColumn >= ColumnCount()) lastColumn = ColumnCount() - 1;
    if (firstColumn > lastColumn) return;
    emit dataChanged(this->index(index - 1, firstColumn), this->index(index - 1, lastColumn));
}

int RowTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count() - unannounced_;
}

int RowTable::columnCount(const QModelIndex& parent) const {
    // A list without headers still shows its row texts.
    return parent.isValid() ? 0 : qMax(1, ColumnCount());
}

QVariant RowTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) return {};
    const Row& row = rows_[index.row()];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return row.CellView(index.column()).toString();
        case Qt::CheckStateRole:
            if (checkable_ && index.column() == 0) return row.checked ? Qt::Checked : Qt::Unchecked;
            return {};
        case Qt::DecorationRole:
            if (index.column() == 0 && row.extra && !row.extra->icon.isEmpty())
                return images_.value(row.extra->icon);
            return {};
        case Qt::FontRole:
            if (row.bold) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        default:
            return {};
    }
}

QVariant RowTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount())
        return columns_[section].caption;
    return {};
}

Qt::ItemFlags RowTable::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0) {
        if (checkable_) flags |= Qt::ItemIsUserCheckable;
        if (editable_) flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool RowTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || index.row() >= Count()) return false;
    const int row = index.row() + 1;
    if (role == Qt::CheckStateRole && checkable_) {
        const bool checked = value.toInt() == Qt::Checked;
        if (checked == Checked(row)) return false;
        SetChecked(row, checked);
        emit CheckedByUser(row);
        return true;
    }
    if (role == Qt::EditRole && editable_) {
        emit TextEditedByUser(row, value.toString());
        return true;
    }
    return false;
}

bool ListContainsText(const QString& s, const RowTable& table) {
    QStringView needle(s);
    while (!needle.isEmpty() && needle.front() == u' ') needle = needle.mid(1);
    while (!needle.isEmpty() && needle.back() == u' ') needle.chop(1);
    return table.ContainsText(needle.toString().toLower());
}

}  // namespace platform
