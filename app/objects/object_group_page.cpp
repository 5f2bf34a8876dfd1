// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_group_page.h"

#include <QHeaderView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "app/objects/new_language_id_dialog.h"
#include "app/objects/object_texts_session.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/display_text.h"
#include "app/widgets/object_names.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/prompter.h"
#include "app/widgets/session_text_cells.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

ObjectGroupPage::ObjectGroupPage(Parts parts)
    : QWidget(&parts.window),
      session_(parts.session),
      view_(new TextGridView(this)),
      model_(new GameTextsModel(session_, parts.codePage, this)) {
    setObjectNames({{this, "groupTextsPage"}, {view_, "textGrid"}});
    const ObjectGroupRows& rows = session_.groupRows();
    view_->setModel(model_);
    view_->setCodePage(&parts.codePage);
    view_->setNotation([&rows] { return rows.notation(); });
    view_->setTextLimit([&rows] { return textFieldLimit(nullptr, rows.notation()); });
    view_->horizontalHeader()->setStretchLastSection(true);
    fitIdColumn();
    cellRules_ = new CellRules(*view_, *model_, session_, this);
    connect(view_, &TextGridView::characterRefused, this, parts.reportRefusal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    textCells_ = std::make_unique<SessionTextCells>(SessionTextCells::Parts{
        *view_, *model_, session_, *cellRules_, parts.codePage, parts.reportRefusal});
    actions_ =
        new ObjectGridActions(parts.window, *view_, session_.stack(), *textCells_, parts.handlers);
    newLanguageIdDialog_ = new NewLanguageIdDialog(&parts.window);
}

ObjectGroupPage::~ObjectGroupPage() {
    // The stack clears itself as it goes and would report that to actions half torn down.
    session_.stack().disconnect(actions_);
    delete cellRules_;
    delete view_;
    delete model_;
}

void ObjectGroupPage::addBelowGrid(QWidget* widget) {
    layout()->addWidget(widget);
}

const std::string& ObjectGroupPage::undoText() const {
    return cellRules_->escText();
}

bool ObjectGroupPage::checkCurrentCell() {
    return session_.groupRows().group() < 0 || cellRules_->checkCurrentCell();
}

void ObjectGroupPage::showGroup(int file, int group) {
    view_->closeCellEditor();
    session_.showGroup(file, group);
    fitIdColumn();
    view_->placeWithoutChecks(1, 1);
    cellRules_->rememberCurrentText();
}

void ObjectGroupPage::fitIdColumn() {
    // Wide enough for the header's caption in the header's font; a column made wider stays so.
    const int fitting = std::max(80, view_->horizontalHeader()->sectionSizeHint(0));
    if (view_->columnWidth(0) < fitting) {
        view_->setColumnWidth(0, fitting);
    }
}

void ObjectGroupPage::refresh() {
    model_->refreshAll();
}

void ObjectGroupPage::setReadOnly(bool readOnly) {
    actions_->setReadOnly(readOnly);
}

void ObjectGroupPage::selectGridRow(int row) {
    if (row >= 1 && row <= model_->rowCount()) {
        view_->moveTo(row, 1);
    }
}

void ObjectGroupPage::proposeLanguageId(int id) {
    newLanguageIdDialog_->setId(id);
}

void ObjectGroupPage::addLanguageId() {
    if (prompter().runModal(*newLanguageIdDialog_) != QDialog::Accepted) {
        return;
    }
    const ObjectGroupRows& shown = session_.groupRows();
    ObjectTextsStep<AddLanguageIdResult> add = session_.stepTarget().addLanguageIdStep(
        static_cast<std::size_t>(shown.file()), static_cast<std::size_t>(shown.group()),
        static_cast<std::uint8_t>(newLanguageIdDialog_->id()));
    const AddLanguageIdResult result = add.result;
    const int row = static_cast<int>(result.row) + 1;
    if (!result.added) {
        prompter().message(QStringLiteral("This language ID already exist in this list!"),
                           QStringLiteral("Wrong ID"), MessageIcon::Error, MessageButtons::Ok);
        selectGridRow(row);
        return;
    }
    session_.push(std::move(add.step));
    selectGridRow(row);
}

void ObjectGroupPage::removeLanguageId() {
    // An empty group has no language ID to remove either.
    if (model_->rowCount() <= 1) {
        showLastIdRefused();
        return;
    }
    const int row = view_->currentRow();
    if (row < 1) {
        return;
    }
    const QString idText = QString::fromStdString(session_.rows().label(row, 0));
    if (prompter().message(QStringLiteral("Are you sure to delete Language ID ") + idText,
                           QStringLiteral("Deleting Language ID"), MessageIcon::Question,
                           MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    const ObjectGroupRows& shown = session_.groupRows();
    ObjectTextsStep<RemoveLanguageIdResult> remove = session_.stepTarget().removeLanguageIdStep(
        static_cast<std::size_t>(shown.file()), static_cast<std::size_t>(shown.group()),
        static_cast<std::size_t>(row - 1));
    if (remove.result == RemoveLanguageIdResult::RefusedLast) {
        showLastIdRefused();
        return;
    }
    session_.push(std::move(remove.step));
    selectGridRow(std::min(row, model_->rowCount()));
}

void ObjectGroupPage::showLastIdRefused() {
    prompter().message(QStringLiteral("Can't delete the last language ID!"),
                       QStringLiteral("Deleting language ID"), MessageIcon::Error,
                       MessageButtons::Ok);
}

void ObjectGroupPage::stepHistory(bool back) {
    if (session_.groupRows().group() < 0) {
        back ? session_.undo() : session_.redo();
        return;
    }
    // The row stays where it was when it still exists.
    const int row = view_->currentRow();
    cellRules_->stepHistory(!back);
    if (!view_->currentIndex().isValid() && model_->rowCount() > 0) {
        view_->placeWithoutChecks(std::clamp(row, 1, model_->rowCount()), 1);
        cellRules_->rememberCurrentText();
    }
}

}  // namespace tarn
