// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/string_table_commands.h"

#include <memory>

#include "textcodes/pseudo_translation.h"

namespace tarn {

SetTextsCommand::SetTextsCommand(StringTableDocument& document, std::string name,
                                 bool marksModified)
    : document_(document), name_(std::move(name)), marksModified_(marksModified) {}

SetTextsCommand::Change& SetTextsCommand::changeOf(int row, int column) {
    const int key = row * StringTableDocument::kColumns + column;
    const auto [found, added] = index_.try_emplace(key, changes_.size());
    if (added) {
        CellText now = document_.cellText(row, column);
        changes_.push_back({row, column, now, now});
    }
    return changes_[found->second];
}

void SetTextsCommand::add(int row, int column, CellText after) {
    changeOf(row, column).after = std::move(after);
}

void SetTextsCommand::change(int row, int column, CellText after) {
    Change& c = changeOf(row, column);
    c.after = after;
    document_.setCell(row, column, std::move(after));
}

void SetTextsCommand::setLangIds(std::uint8_t primary, std::uint8_t secondary) {
    if (!setsIds_) {
        idsBefore_[0] = document_.primaryLangId();
        idsBefore_[1] = document_.secondaryLangId();
        setsIds_ = true;
    }
    idsAfter_[0] = primary;
    idsAfter_[1] = secondary;
}

int SetTextsCommand::changedCells() const {
    int count = 0;
    for (const Change& c : changes_) {
        count += c.before == c.after ? 0 : 1;
    }
    return count;
}

void SetTextsCommand::redo() {
    for (const Change& c : changes_) {
        document_.setCell(c.row, c.column, c.after);
    }
    if (setsIds_) {
        document_.setLangIds(idsAfter_[0], idsAfter_[1]);
    }
}

void SetTextsCommand::undo() {
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c) {
        document_.setCell(c->row, c->column, c->before);
    }
    if (setsIds_) {
        document_.setLangIds(idsBefore_[0], idsBefore_[1]);
    }
}

SetLangIdsCommand::SetLangIdsCommand(StringTableDocument& document, std::uint8_t primary,
                                     std::uint8_t secondary)
    : document_(document),
      before_{document.primaryLangId(), document.secondaryLangId()},
      after_{primary, secondary} {}

void SetLangIdsCommand::redo() {
    document_.setLangIds(after_[0], after_[1]);
}

void SetLangIdsCommand::undo() {
    document_.setLangIds(before_[0], before_[1]);
}

std::unique_ptr<SetTextsCommand> copyOriginalToTranslated(StringTableDocument& document) {
    auto command = std::make_unique<SetTextsCommand>(document, "Copy strings");
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        command->add(row, StringTableDocument::TranslatedColumn,
                     document.cellText(row, StringTableDocument::OriginalColumn));
    }
    return command;
}

std::unique_ptr<SetTextsCommand> pseudoTranslateUntranslated(StringTableDocument& document,
                                                             int expandPercent,
                                                             const CodePage& codePage) {
    const PseudoLetters letters = pseudoLetters(codePage);
    int changed = 0;
    auto command = std::make_unique<SetTextsCommand>(document, std::string());
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        // A cell that does not convert has no bytes to compare: it is not untranslated.
        const Converted<std::string> original =
            document.bytes(row, StringTableDocument::OriginalColumn);
        const Converted<std::string> translated =
            document.bytes(row, StringTableDocument::TranslatedColumn);
        if (!original || !translated || original.value().empty() ||
            original.value() != translated.value()) {
            continue;
        }
        command->add(row, StringTableDocument::TranslatedColumn,
                     {pseudoTranslate(original.value(), expandPercent, letters), false});
        ++changed;
    }
    command->setName(countedName("Pseudo-translate", changed));
    return command;
}

std::string countedName(const std::string& action, int texts) {
    return action + " (" + std::to_string(texts) + (texts == 1 ? " text)" : " texts)");
}

}  // namespace tarn
