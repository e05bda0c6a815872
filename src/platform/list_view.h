#pragma once

#include <QPoint>
#include <QTreeWidget>

namespace platform {

class ListView;

// One row of a list view. Column 1 is `Text`; columns 2 to n are `SubItem`(1 to n - 1).
class ListItem : public QTreeWidgetItem {
  public:
    explicit ListItem(const QString& text);

    QString Text() const { return text(0); }
    void SetText(const QString& text) { setText(0, text); }
    // Sub-item j (from 1); an empty text for a column the row has no value in.
    QString SubItem(int j) const { return text(j); }
    void SetSubItem(int j, const QString& text) { setText(j, text); }
    bool Checked() const { return checkState(0) == Qt::Checked; }
    // Setting the mark from code never raises ItemCheck.
    void SetChecked(bool checked);
    bool Bold() const { return font(0).bold(); }
    void SetBold(bool bold);
    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }
    // Position in the list, from 1; 0 once the row has been removed.
    int Index() const;
    // Identity of the row for its whole life; stays valid to look the row up after a wait.
    quint64 Key() const { return key_; }

    bool operator<(const QTreeWidgetItem& other) const override;

  private:
    friend class ListView;
    QString tag_;
    quint64 key_;
    bool lastChecked_ = false;
};

// The list control of the work windows: rows numbered from 1, check boxes, bold rows, a tag
// per row and column headers with widths (width 0 hides a column). Widths are in twips, the
// unit the windows lay out in.
class ListView : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ListView(QWidget* parent = nullptr);

    // Column headers, counted from 1.
    void AddColumn(const QString& caption, int widthTwips);
    int ColumnCount() const { return columnCount(); }
    QString ColumnText(int column) const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int widthTwips);

    // Rows, counted from 1 in display order.
    int Count() const { return topLevelItemCount(); }
    ListItem* Item(int index) const;
    ListItem* Add(const QString& text);
    void Remove(int index);
    void Clear();
    // The row with `key`, or nullptr when it is gone.
    ListItem* FindByKey(quint64 key) const;

    ListItem* SelectedItem() const;
    void SetSelectedItem(ListItem* item);

    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool on) { checkBoxes_ = on; }

    // Sorting by one column's text, as the windows switch it on and off.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    int SortKey() const { return sortKey_; }  // column, from 0
    void SetSortKey(int column) { sortKey_ = column; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }
    void SetSortOrder(Qt::SortOrder order) { sortOrder_ = order; }

  signals:
    void ItemCheck(platform::ListItem* item);  // the user ticked or cleared a row's box
    void ItemClick(platform::ListItem* item);
    void ColumnClick(int column);  // header of column `column`, from 1
    void DblClick();
    void MouseDown(Qt::MouseButton button, QPoint globalPosition);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void ApplySort();

    bool checkBoxes_ = false;
    bool sorted_ = false;
    int sortKey_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    QVector<int> widths_;
};

}  // namespace platform
