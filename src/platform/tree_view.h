#pragma once

#include <QTreeWidget>

namespace platform {

// The tree control of the work windows' side bars: nodes with a key and a text, numbered from
// 1 in the order they were added. NodeClick fires when the user selects a node, and when code
// selects one through ClickNode, as the windows' handlers expect of a click.
class TreeView : public QTreeWidget {
    Q_OBJECT
  public:
    explicit TreeView(QWidget* parent = nullptr);

    // Adds a node under the node with `parentKey` (top level when empty); its index.
    int AddNode(const QString& parentKey, const QString& key, const QString& text);
    void ClearNodes();
    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    QString NodeKey(int index) const;
    QString NodeText(int index) const;
    // The index of the node with `key`; 0 when there is none.
    int IndexOfKey(const QString& key) const;
    // The selected node's index; 0 when none is.
    int SelectedIndex() const;
    // Selects node `index` and raises NodeClick for it.
    void ClickNode(int index);

    // Shows node `index` as the current one, highlighted with `currentIcon`; every other top
    // node plain with `icon`. The side bars mark their page's node so.
    void MarkCurrentNode(int index, const QIcon& icon, const QIcon& currentIcon);
    // The text colour of the selected node: the side bars whiten it while the tree has the focus.
    void SetSelectedNodeForeground(const QColor& colour);

  signals:
    void NodeClick(int index);

  private:
    std::vector<QTreeWidgetItem*> nodes_;
};

}  // namespace platform
