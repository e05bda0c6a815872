#include "platform/list_view.h"

#include <QMouseEvent>

#include "platform/twips.h"

namespace platform {
namespace {

// Column headers that measure their captions once until a caption, a column or the font
// changes: the view asks for the headers' size each time it lays out its rows, which a job
// adding rows one by one makes it do at every row.
class ListHeader : public QHeaderView {
  public:
    explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        connect(this, &QHeaderView::sectionCountChanged, this, &ListHeader::Forget);
        connect(this, &QHeaderView::sortIndicatorChanged, this, &ListHeader::Forget);
    }

    QSize sizeHint() const override {
        if (!measured_.isValid()) measured_ = QHeaderView::sizeHint();
        return measured_;
    }
    void Forget() { measured_ = QSize(); }

  protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) Forget();
        QHeaderView::changeEvent(event);
    }

  private:
    mutable QSize measured_;
};

}  // namespace

ListView::ListView(QWidget* parent) : QTableView(parent), pacer_(this) {
    auto* columnHeaders = new ListHeader(this);
    setHorizontalHeader(columnHeaders);
    const auto remeasure = [columnHeaders] { columnHeaders->Forget(); };
    connect(&rows_, &RowTable::headerDataChanged, columnHeaders, remeasure);
    connect(&rows_, &RowTable::modelReset, columnHeaders, remeasure);
    // Told before the view asks to be drawn again, so that a change the pacer holds back is
    // not drawn on its own.
    const auto changed = [this] { pacer_.Changed(); };
    connect(&rows_, &RowTable::dataChanged, this, changed);
    connect(&rows_, &RowTable::headerDataChanged, this, changed);
    connect(&rows_, &RowTable::rowsInserted, this, changed);
    connect(&rows_, &RowTable::rowsRemoved, this, changed);
    connect(&rows_, &RowTable::modelReset, this, changed);
    connect(&rows_, &RowTable::layoutChanged, this, changed);
    connect(&rows_, &RowTable::ColumnsChanged, this, changed);
    setModel(&rows_);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows as a list shows them: of one height, that of a line of text, without headers.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->setHighlightSections(false);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this,
            [this](int section) { emit ColumnClick(section + 1); });
    connect(&rows_, &RowTable::CheckedByUser, this, &ListView::ItemCheck);
    connect(&rows_, &RowTable::TextEditedByUser, this, &ListView::AfterLabelEdit);
    connect(&rows_, &RowTable::ColumnsChanged, this, &ListView::ApplyColumnWidths);
    // After the widths, which hide columns the headers no longer measure.
    connect(&rows_, &RowTable::ColumnsChanged, columnHeaders, remeasure);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit ItemClick(index.row() + 1); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { emit DblClick(); });
}

void ListView::ApplyColumnWidths() {
    for (int column = 1; column <= ColumnCount(); ++column) {
        const int width = ColumnWidth(column);
        setColumnHidden(column - 1, width == 0);
        if (width > 0) setColumnWidth(column - 1, TwipsToPixels(width));
    }
}

int ListView::SelectedIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void ListView::SetSelectedIndex(int index) {
    if (index < 1 || index > Count()) {
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(rows_.index(index - 1, 0));
}

void ListView::SetLabelEdit(bool on) {
    rows_.SetEditable(on);
    setEditTriggers(on ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void ListView::SetSorted(bool sorted) {
    if (!sorted) {
        rows_.SetSorting(std::nullopt);
        return;
    }
    SortRule rule;
    rule.column = sortKey_;
    rule.order = sortOrder_;
    rows_.SetSorting(rule);
}

void ListView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    emit MouseDown(event->button(), event->globalPosition().toPoint());
}

}  // namespace platform
