// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/string_table_document.h"

#include <cassert>

#include "exetext/save_plan.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace tarn {

StringTableDocument::StringTableDocument() : rows_(kRows) {}

StringTableDocument::Cell& StringTableDocument::at(int row, int column) {
    assert(row >= 1 && row <= kRows && column >= 1 && column < kColumns);
    return rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

const StringTableDocument::Cell& StringTableDocument::at(int row, int column) const {
    assert(row >= 1 && row <= kRows && column >= 1 && column < kColumns);
    return rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

std::string StringTableDocument::heading(int column) const {
    static const char* const headings[] = {"Number", "Original", "Translated", "Short."};
    return column >= 0 && column < kColumns ? headings[column] : "";
}

std::string StringTableDocument::text(int row, int column) const {
    if (column == NumberColumn) {
        return std::to_string(row);
    }
    return cell(row, column);
}

const std::string& StringTableDocument::cell(int row, int column) const {
    return at(row, column).text;
}

bool StringTableDocument::isAsTyped(int row, int column) const {
    return at(row, column).asTyped;
}

CellText StringTableDocument::cellText(int row, int column) const {
    const Cell& c = at(row, column);
    return {c.text, c.asTyped};
}

void StringTableDocument::setCell(int row, int column, CellText value) {
    Cell& c = at(row, column);
    if (value.asTyped && notation_ == Notation::Raw) {
        // A step made in C-style notation, redone in raw: settled as the toggle settles it.
        if (Converted<std::string> raw = cStyleToRaw(value.text)) {
            value.text = std::move(raw.value());
        }
        value.asTyped = false;
    }
    c.text = std::move(value.text);
    c.asTyped = value.asTyped;
}

CellText StringTableDocument::fromNotation(const std::string& text, bool keepAsTyped) const {
    if (notation_ == Notation::Raw) {
        return {text, false};
    }
    Converted<std::string> raw = cStyleToRaw(text);
    if (!raw) {
        return {text, true};
    }
    // Typed text is held only where the view would show it otherwise.
    if (keepAsTyped && rawToCStyle(raw.value()) != text) {
        return {text, true};
    }
    return {std::move(raw.value()), false};
}

std::string StringTableDocument::notationText(int row, int column) const {
    const Cell& c = at(row, column);
    if (notation_ == Notation::Raw || c.asTyped || column == ShortColumn) {
        return c.text;
    }
    return rawToCStyle(c.text);
}

void StringTableDocument::setText(int row, int column, std::string text) {
    if (column == ShortColumn) {
        setCell(row, column, {std::move(text), false});
        return;
    }
    setCell(row, column, fromNotation(text));
}

Converted<std::string> StringTableDocument::bytes(int row, int column) const {
    const Cell& c = at(row, column);
    if (!c.asTyped) {
        return c.text;
    }
    return cStyleToRaw(c.text);
}

void StringTableDocument::setLangIds(std::uint8_t primary, std::uint8_t secondary) {
    primaryLangId_ = primary;
    secondaryLangId_ = secondary;
}

void StringTableDocument::load(const LoadedExecutables& loaded) {
    for (int row = 1; row <= kRows; ++row) {
        const auto i = static_cast<std::size_t>(row - 1);
        auto& r = rows_[i];
        r[0] = {i < loaded.original.size() ? loaded.original[i] : std::string(), false};
        r[1] = {i < loaded.translated.size() ? loaded.translated[i] : std::string(), false};
        r[2] = {};
    }
    setLangIds(loaded.primaryLangId, loaded.secondaryLangId);
    originalNotFound_ = loaded.originalNotFound;
    translatedNotFound_ = loaded.translatedNotFound;
    onDisk_ = {loaded.translated,
               {loaded.primaryLangId, loaded.secondaryLangId},
               loaded.translatedIdentity};
}

std::vector<std::string> StringTableDocument::translatedTexts() const {
    std::vector<std::string> texts(rows_.size());
    for (int row = 1; row <= kRows; ++row) {
        Converted<std::string> text = bytes(row, TranslatedColumn);
        texts[static_cast<std::size_t>(row - 1)] =
            text ? std::move(text.value()) : std::string(kCStyleErrorText);
    }
    return texts;
}

std::vector<TextError> StringTableDocument::translatedErrors() const {
    std::vector<TextError> errors;
    for (int row = 1; row <= kRows; ++row) {
        if (auto message = cellError(row, TranslatedColumn)) {
            errors.push_back({row, std::move(*message)});
        }
    }
    return errors;
}

void StringTableDocument::setShareTargets(const std::vector<int>& shareTargets) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const int target = i < shareTargets.size() ? shareTargets[i] : 0;
        rows_[i][2] = {target == 0 ? std::string() : std::to_string(target), false};
    }
}

std::optional<std::string> StringTableDocument::cellError(int row, int column) const {
    if (column != OriginalColumn && column != TranslatedColumn) {
        return std::nullopt;
    }
    const Converted<std::string> converted = bytes(row, column);
    if (converted) {
        return std::nullopt;
    }
    return converted.problem().message;
}

void StringTableDocument::normaliseCell(int row, int column) {
    if (column != OriginalColumn && column != TranslatedColumn) {
        return;
    }
    Cell& c = at(row, column);
    if (!c.asTyped) {
        return;
    }
    if (Converted<std::string> raw = cStyleToRaw(c.text)) {
        c = {std::move(raw.value()), false};
    }
}

std::vector<StringTableDocument::NotationError> StringTableDocument::toggleNotation() {
    notation_ = notation_ == Notation::Raw ? Notation::CStyle : Notation::Raw;
    std::vector<NotationError> errors;
    if (notation_ == Notation::CStyle) {
        return errors;  // every cell is game bytes in raw notation
    }
    for (int row = 1; row <= kRows; ++row) {
        for (const int column : {OriginalColumn, TranslatedColumn}) {
            Cell& c = at(row, column);
            if (!c.asTyped) {
                continue;
            }
            if (Converted<std::string> raw = cStyleToRaw(c.text)) {
                c.text = std::move(raw.value());
            } else {
                errors.push_back({row, raw.problem().message});
            }
            c.asTyped = false;
        }
    }
    return errors;
}

int StringTableDocument::nextUntranslated(int row) const {
    for (int r = row + 1; r <= kRows; ++r) {
        const auto& cells = rows_[static_cast<std::size_t>(r - 1)];
        if (!cells[0].text.empty() && cells[0].text == cells[1].text &&
            cells[0].asTyped == cells[1].asTyped) {
            return r;
        }
    }
    return 0;
}

}  // namespace tarn
