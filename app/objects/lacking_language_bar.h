// SPDX-License-Identifier: GPL-3.0-or-later
// Above the object tree, for the groups still lacking the translation's language ID: "Only
// groups lacking language ID N" leaves in the tree only those groups (and their files), the
// shown group staying until another is chosen, and "Add language to every group lacking it"
// gives each of them the ID, with an empty text, as one step of the history.
#pragma once

#include <QModelIndex>
#include <QWidget>
#include <functional>

class QCheckBox;
class QPushButton;
class QTreeView;

namespace tarn {

class NewLanguageIdDialog;
class ObjectTextsSession;
class ObjectTreeModel;

class LackingLanguageBar : public QWidget {
    Q_OBJECT
public:
    struct Parts {
        QWidget& window;  // the dialog's parent
        ObjectTextsSession& session;
        QTreeView& tree;
        const ObjectTreeModel& model;
        std::function<void(const QString&)> showStatus;
    };
    // The parts outlive the bar.
    explicit LackingLanguageBar(Parts parts);

    // The translation's language ID (the main window's primary ID): the one the filter looks
    // for and the one the add command proposes.
    void setLanguageId(int id);
    // The next (or previous) group node the tree shows; invalid when none.
    QModelIndex stepToShownGroup(QModelIndex node, bool forward) const;
    // Hides or shows the tree's nodes anew (after loading and after every change).
    void applyFilter();
    void addToEveryGroup();

private:
    bool hidden(const QModelIndex& node) const;

    Parts parts_;
    int languageId_ = 0;
    bool filtered_ = false;  // some node may be hidden
    QCheckBox* filterCheck_;
    QPushButton* addButton_;
    NewLanguageIdDialog* addDialog_;
};

}  // namespace tarn
