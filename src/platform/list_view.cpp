#include "platform/list_view.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace platform {
namespace {

constexpr int kTwipsPerPixel = 15;

quint64 NextKey() {
    static quint64 next = 0;
    return ++next;
}

}  // namespace

ListItem::ListItem(const QString& text) : key_(NextKey()) {
    setText(0, text);
}

void ListItem::SetChecked(bool checked) {
    lastChecked_ = checked;
    setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void ListItem::SetBold(bool bold) {
    for (int c = 0; c < qMax(1, columnCount()); ++c) {
        QFont f = font(c);
        f.setBold(bold);
        setFont(c, f);
    }
}

int ListItem::Index() const {
    QTreeWidget* list = treeWidget();
    return list ? list->indexOfTopLevelItem(const_cast<ListItem*>(this)) + 1 : 0;
}

bool ListItem::operator<(const QTreeWidgetItem& other) const {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
}

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setColumnCount(0);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this,
            [this](int section) { emit ColumnClick(section + 1); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* changed, int column) {
        auto* item = static_cast<ListItem*>(changed);
        if (column != 0 || item->Checked() == item->lastChecked_) return;
        item->lastChecked_ = item->Checked();
        emit ItemCheck(item);
    });
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { emit ItemClick(static_cast<ListItem*>(item)); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { emit DblClick(); });
}

void ListView::AddColumn(const QString& caption, int widthTwips) {
    const int column = columnCount();
    setColumnCount(column + 1);
    QTreeWidgetItem* head = headerItem();
    head->setText(column, caption);
    widths_.append(0);
    SetColumnWidth(column + 1, widthTwips);
}

QString ListView::ColumnText(int column) const {
    return headerItem()->text(column - 1);
}

int ListView::ColumnWidth(int column) const {
    return widths_.value(column - 1);
}

void ListView::SetColumnWidth(int column, int widthTwips) {
    if (column < 1 || column > widths_.size()) return;
    widths_[column - 1] = widthTwips;
    setColumnHidden(column - 1, widthTwips == 0);
    if (widthTwips > 0) setColumnWidth(column - 1, widthTwips / kTwipsPerPixel);
}

ListItem* ListView::Item(int index) const {
    return static_cast<ListItem*>(topLevelItem(index - 1));
}

ListItem* ListView::Add(const QString& text) {
    auto* item = new ListItem(text);
    if (checkBoxes_) item->SetChecked(false);
    addTopLevelItem(item);
    if (sorted_) ApplySort();
    return item;
}

void ListView::Remove(int index) {
    delete takeTopLevelItem(index - 1);
}

void ListView::Clear() {
    clear();
}

ListItem* ListView::FindByKey(quint64 key) const {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        auto* item = static_cast<ListItem*>(topLevelItem(i));
        if (item->Key() == key) return item;
    }
    return nullptr;
}

ListItem* ListView::SelectedItem() const {
    return static_cast<ListItem*>(currentItem());
}

void ListView::SetSelectedItem(ListItem* item) {
    setCurrentItem(item);
}

void ListView::SetSorted(bool sorted) {
    sorted_ = sorted;
    if (sorted_) ApplySort();
}

void ListView::ApplySort() {
    sortItems(sortKey_, sortOrder_);
}

void ListView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    emit MouseDown(event->button(), event->globalPosition().toPoint());
}

}  // namespace platform
