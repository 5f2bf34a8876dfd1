// SPDX-License-Identifier: GPL-3.0-or-later
// A tree view's node as tests read and choose it: its children, text, mark and tooltip through
// the view's model, and whether it is the view's current node.
#pragma once

#include <QIcon>
#include <QModelIndex>
#include <QString>
#include <QTreeView>

namespace tarn {

class TreeNode {
public:
    TreeNode(QTreeView& view, QModelIndex index) : view_(&view), index_(index) {}
    // The node at the given row of the view's top level.
    static TreeNode top(QTreeView& view, int row = 0) {
        return {view, view.model()->index(row, 0)};
    }

    TreeNode child(int row) const { return {*view_, view_->model()->index(row, 0, index_)}; }
    int childCount() const { return view_->model()->rowCount(index_); }
    QString text() const { return index_.data(Qt::DisplayRole).toString(); }
    QString toolTip() const { return index_.data(Qt::ToolTipRole).toString(); }
    bool hasIcon() const { return !index_.data(Qt::DecorationRole).value<QIcon>().isNull(); }
    bool isExpanded() const { return view_->isExpanded(index_); }
    bool isCurrent() const { return index_.isValid() && view_->currentIndex() == index_; }
    void makeCurrent() const { view_->setCurrentIndex(index_); }
    const QModelIndex& index() const { return index_; }

private:
    QTreeView* view_;
    QModelIndex index_;
};

}  // namespace tarn
