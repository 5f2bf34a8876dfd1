// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/lacking_language_bar.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <string>

#include "app/objects/new_language_id_dialog.h"
#include "app/objects/object_texts_session.h"
#include "app/objects/object_tree_model.h"
#include "app/widgets/object_names.h"
#include "app/widgets/prompter.h"
#include "objfiles/language_coverage.h"

namespace tarn {

LackingLanguageBar::LackingLanguageBar(Parts parts)
    : QWidget(&parts.window),
      parts_(std::move(parts)),
      filterCheck_(new QCheckBox(this)),
      addButton_(new QPushButton(QStringLiteral("Add language to every group lacking it"), this)),
      addDialog_(new NewLanguageIdDialog(&parts_.window)) {
    addDialog_->setWindowTitle(QStringLiteral("Add language to every group lacking it"));
    setObjectNames({{this, "lackingLanguageBar"},
                    {filterCheck_, "lackingLanguageCheck"},
                    {addButton_, "addLanguageEverywhereButton"},
                    {addDialog_, "addLanguageEverywhereDialog"}});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(filterCheck_);
    layout->addWidget(addButton_);
    setLanguageId(0);
    connect(filterCheck_, &QCheckBox::toggled, this, &LackingLanguageBar::applyFilter);
    connect(addButton_, &QPushButton::clicked, this, &LackingLanguageBar::addToEveryGroup);
    connect(&parts_.session, &GameTextsSession::textsChanged, this,
            &LackingLanguageBar::applyFilter);
    connect(&parts_.session, &GameTextsSession::readOnlyChanged, this,
            [this] { addButton_->setEnabled(!parts_.session.isReadOnly()); });
    // Once the tree has moved on, so that the group left may go.
    connect(parts_.tree.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &LackingLanguageBar::applyFilter, Qt::QueuedConnection);
}

void LackingLanguageBar::setLanguageId(int id) {
    languageId_ = id;
    addDialog_->setId(id);
    filterCheck_->setText(QStringLiteral("Only groups lacking language ID %1").arg(id));
    applyFilter();
}

bool LackingLanguageBar::hidden(const QModelIndex& node) const {
    for (QModelIndex at = node; at.isValid() && at.parent().isValid(); at = at.parent()) {
        if (parts_.tree.isRowHidden(at.row(), at.parent())) {
            return true;
        }
    }
    return false;
}

QModelIndex LackingLanguageBar::stepToShownGroup(QModelIndex node, bool forward) const {
    do {
        node = parts_.model.stepToGroup(node, forward);
    } while (node.isValid() && hidden(node));
    return node;
}

void LackingLanguageBar::applyFilter() {
    const bool on = filterCheck_->isChecked();
    if (!on && !filtered_) {
        return;  // nothing hidden: every change goes without a walk through the tree
    }
    filtered_ = on;
    const ObjectTextsDocument& document = parts_.session.document();
    const auto id = static_cast<std::uint8_t>(languageId_);
    const QModelIndex root = parts_.model.rootNode();
    const QModelIndex current = parts_.tree.currentIndex();
    for (int row = 0; row < parts_.model.rowCount(root); ++row) {
        const QModelIndex fileNode = parts_.model.index(row, 0, root);
        const int file = parts_.model.fileOf(fileNode);
        bool anyShown = false;
        for (int group = 0; group < parts_.model.rowCount(fileNode); ++group) {
            const QModelIndex node = parts_.model.index(group, 0, fileNode);
            const bool hide = on && file >= 0 && node != current &&
                              !lacksLanguageId(document.group(static_cast<std::size_t>(file),
                                                              static_cast<std::size_t>(group)),
                                               id);
            parts_.tree.setRowHidden(group, fileNode, hide);
            anyShown = anyShown || !hide;
        }
        const bool keep = !on || anyShown || fileNode == current;
        parts_.tree.setRowHidden(row, root, !keep);
    }
}

void LackingLanguageBar::addToEveryGroup() {
    ObjectTextsSession& session = parts_.session;
    if (session.document().files().empty() ||
        prompter().runModal(*addDialog_) != QDialog::Accepted) {
        return;
    }
    const int id = addDialog_->id();
    LanguageAdded added =
        withLanguageIdEverywhere(session.document().files(), static_cast<std::uint8_t>(id));
    if (added.groups == 0) {
        parts_.showStatus(QStringLiteral("Every text group holds language ID %1").arg(id));
        return;
    }
    const std::string name = "Add language ID " + std::to_string(id) + " to " +
                             std::to_string(added.groups) + " text groups";
    if (session.push(session.stepTarget().replaceTextsStep(added.files, name))) {
        parts_.showStatus(
            QStringLiteral("Language ID %1 added to %2 text groups").arg(id).arg(added.groups));
    }
}

}  // namespace tarn
