#include "platform/tree_view.h"

#include <QHeaderView>

namespace platform {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

}  // namespace

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        emit NodeClick(item->data(0, kIndexRole).toInt());
    });
}

int TreeView::AddNode(const QString& parentKey, const QString& key, const QString& text) {
    QTreeWidgetItem* parent = nullptr;
    if (const int parentIndex = IndexOfKey(parentKey)) parent = nodes_[parentIndex - 1];
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, text);
    node->setData(0, kKeyRole, key);
    nodes_.push_back(node);
    node->setData(0, kIndexRole, NodeCount());
    if (parent) parent->setExpanded(true);
    return NodeCount();
}

void TreeView::ClearNodes() {
    clear();
    nodes_.clear();
}

QString TreeView::NodeKey(int index) const {
    return index >= 1 && index <= NodeCount() ? nodes_[index - 1]->data(0, kKeyRole).toString()
                                              : QString();
}

QString TreeView::NodeText(int index) const {
    return index >= 1 && index <= NodeCount() ? nodes_[index - 1]->text(0) : QString();
}

int TreeView::IndexOfKey(const QString& key) const {
    if (key.isEmpty()) return 0;
    for (int i = 1; i <= NodeCount(); ++i)
        if (NodeKey(i) == key) return i;
    return 0;
}

int TreeView::SelectedIndex() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(0, kIndexRole).toInt() : 0;
}

void TreeView::ClickNode(int index) {
    if (index < 1 || index > NodeCount()) return;
    setCurrentItem(nodes_[index - 1]);
    emit NodeClick(index);
}

void TreeView::MarkCurrentNode(int index, const QIcon& icon, const QIcon& currentIcon) {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = topLevelItem(i);
        const bool current = node->data(0, kIndexRole).toInt() == index;
        node->setIcon(0, current ? currentIcon : icon);
        node->setForeground(0, Qt::black);
        node->setBackground(0, current ? palette().color(QPalette::Highlight) : QColor(Qt::white));
    }
}

void TreeView::SetSelectedNodeForeground(const QColor& colour) {
    if (QTreeWidgetItem* node = currentItem()) node->setForeground(0, colour);
}

}  // namespace platform
