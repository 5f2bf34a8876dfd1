// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_group_rows.h"

#include "textcodes/cstyle.h"

namespace tarn {

void ObjectGroupRows::showGroup(int file, int group) {
    file_ = file;
    group_ = group;
    held_.clear();
}

const ObjectTextGroup* ObjectGroupRows::shownGroup() const {
    if (file_ < 0 || group_ < 0 || static_cast<std::size_t>(file_) >= document_.files().size()) {
        return nullptr;
    }
    return &document_.group(static_cast<std::size_t>(file_), static_cast<std::size_t>(group_));
}

void ObjectGroupRows::setNotation(Notation notation) {
    notation_ = notation;
    held_.clear();
}

std::optional<std::string> ObjectGroupRows::bytesOf(const CellText& value) const {
    if (!value.asTyped) {
        return value.text;
    }
    Converted<std::string> raw = cStyleToRaw(value.text);
    if (!raw) {
        return std::nullopt;
    }
    return std::move(raw.value());
}

int ObjectGroupRows::rowCount() const {
    const ObjectTextGroup* group = shownGroup();
    return group != nullptr ? static_cast<int>(group->size()) : 0;
}

std::string ObjectGroupRows::heading(int column) const {
    return column == 0 ? "Language ID" : column == 1 ? "Text" : "";
}

std::string ObjectGroupRows::label(int row, int column) const {
    return column == 0 ? std::to_string((*shownGroup())[static_cast<std::size_t>(row - 1)].id)
                       : std::string();
}

const std::string& ObjectGroupRows::bytes(int row) const {
    return (*shownGroup())[static_cast<std::size_t>(row - 1)].text;
}

CellText ObjectGroupRows::cellText(int row, int /*column*/) const {
    if (const auto held = held_.find(row); held != held_.end()) {
        return {held->second, true};
    }
    return {bytes(row), false};
}

std::string ObjectGroupRows::notationText(int row, int column) const {
    const CellText cell = cellText(row, column);
    return notation_ == Notation::CStyle && !cell.asTyped ? rawToCStyle(cell.text) : cell.text;
}

CellText ObjectGroupRows::fromNotation(const std::string& text, bool keepAsTyped) const {
    if (notation_ == Notation::Raw) {
        return {text, false};
    }
    if (keepAsTyped) {
        return {text, true};
    }
    Converted<std::string> raw = cStyleToRaw(text);
    if (!raw) {
        return {text, true};
    }
    return {std::move(raw.value()), false};
}

std::optional<std::string> ObjectGroupRows::cellError(int row, int column) const {
    const auto held = held_.find(row);
    if (column != 1 || held == held_.end()) {
        return std::nullopt;
    }
    const Converted<std::string> raw = cStyleToRaw(held->second);
    if (raw) {
        return std::nullopt;
    }
    return raw.problem().message;
}

}  // namespace tarn
