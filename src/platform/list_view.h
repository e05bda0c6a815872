#pragma once

#include <QHeaderView>
#include <QPoint>
#include <QTableView>

#include "platform/paint_pacer.h"
#include "platform/row_table.h"

namespace platform {

// The list control of the work windows: a view of one row table, with rows numbered from 1,
// check boxes, bold rows, a tag per row and column headers with widths (width 0 hides a
// column). Widths are in twips, the unit the windows lay out in. The rows live in the table;
// the logic below the windows works on the table alone. A table view drawn as a list (no grid,
// no row headers, rows of one height): it takes a row added to a long list without laying out
// every row again, as a tree view would each time the window handles its events. A job that
// fills or changes it row by row has it drawn at most every kPaintInterval (see PaintPacer).
class ListView : public QTableView {
    Q_OBJECT
  public:
    explicit ListView(QWidget* parent = nullptr);

    RowTable& Rows() { return rows_; }
    const RowTable& Rows() const { return rows_; }

    // The column headers.
    QHeaderView* header() const { return horizontalHeader(); }

    // Column headers, counted from 1.
    void AddColumn(const QString& caption, int widthTwips) { rows_.AddColumn(caption, widthTwips); }
    int ColumnCount() const { return rows_.ColumnCount(); }
    QString ColumnText(int column) const { return rows_.ColumnText(column); }
    int ColumnWidth(int column) const { return rows_.ColumnWidth(column); }
    void SetColumnWidth(int column, int widthTwips) { rows_.SetColumnWidth(column, widthTwips); }

    // Rows, counted from 1 in display order.
    int Count() const { return rows_.Count(); }
    ListItem Item(int index) { return rows_.Item(index); }
    ListItem Add(const QString& text) { return rows_.Add(text); }
    void Remove(int index) { rows_.Remove(index); }
    void Clear() { rows_.Clear(); }

    // The selected row, from 1; 0 when none is.
    int SelectedIndex() const;
    void SetSelectedIndex(int index);

    bool CheckBoxes() const { return rows_.Checkable(); }
    void SetCheckBoxes(bool on) { rows_.SetCheckable(on); }
    // Whether the user may edit a row's text in place (AfterLabelEdit decides what is kept).
    void SetLabelEdit(bool on);

    // Sorting by one column's text, as the windows switch it on and off.
    bool Sorted() const { return rows_.Sorting().has_value(); }
    void SetSorted(bool sorted);
    int SortKey() const { return sortKey_; }  // column, from 0
    void SetSortKey(int column) { sortKey_ = column; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }
    void SetSortOrder(Qt::SortOrder order) { sortOrder_ = order; }

  signals:
    void ItemCheck(int index);  // the user ticked or cleared a row's box
    void ItemClick(int index);
    // The user typed `text` over row `index`'s text; the handler sets it or leaves it.
    void AfterLabelEdit(int index, const QString& text);
    void ColumnClick(int column);  // header of column `column`, from 1
    void DblClick();
    void MouseDown(Qt::MouseButton button, QPoint globalPosition);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void ApplyColumnWidths();

    RowTable rows_;
    PaintPacer pacer_;
    int sortKey_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace platform
