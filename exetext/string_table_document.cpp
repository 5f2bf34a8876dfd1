#include "exetext/string_table_document.h"

#include <cassert>

#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace tarn {

StringTableDocument::StringTableDocument() : rows_(kRows) {}

std::string StringTableDocument::text(int row, int column) const {
    if (column == NumberColumn) {
        return std::to_string(row);
    }
    return cell(row, column);
}

const std::string& StringTableDocument::cell(int row, int column) const {
    assert(row >= 1 && row <= kRows && column >= 1 && column < kColumns);
    return rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

void StringTableDocument::setText(int row, int column, std::string text) {
    assert(row >= 1 && row <= kRows && column >= 1 && column < kColumns);
    rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)] =
        std::move(text);
}

void StringTableDocument::setLangIds(std::uint8_t primary, std::uint8_t secondary) {
    primaryLangId_ = primary;
    secondaryLangId_ = secondary;
}

void StringTableDocument::load(const LoadedExecutables& loaded) {
    for (int row = 1; row <= kRows; ++row) {
        const auto i = static_cast<std::size_t>(row - 1);
        auto& r = rows_[i];
        r[0] = i < loaded.original.size() ? loaded.original[i] : std::string();
        r[1] = i < loaded.translated.size() ? loaded.translated[i] : std::string();
        r[2].clear();
    }
    setLangIds(loaded.primaryLangId, loaded.secondaryLangId);
    originalNotFound_ = loaded.originalNotFound;
    translatedNotFound_ = loaded.translatedNotFound;
    modified_ = false;
}

std::vector<std::string> StringTableDocument::translatedTexts() const {
    std::vector<std::string> texts;
    texts.reserve(rows_.size());
    for (const auto& r : rows_) {
        texts.push_back(r[1]);
    }
    return texts;
}

void StringTableDocument::setShareTargets(const std::vector<int>& shareTargets) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const int target = i < shareTargets.size() ? shareTargets[i] : 0;
        rows_[i][2] = target == 0 ? std::string() : std::to_string(target);
    }
}

void StringTableDocument::saveFinished(const SaveResult& result) {
    setShareTargets(result.shareTargets);
    if (result.saved && result.cstyleErrors.empty()) {
        modified_ = false;
    }
}

std::optional<std::string> StringTableDocument::cellError(int row, int column) const {
    if (!cstyle_ || (column != OriginalColumn && column != TranslatedColumn)) {
        return std::nullopt;
    }
    std::string result;
    if (cStyleToRaw(cell(row, column), result)) {
        return std::nullopt;
    }
    return result;
}

void StringTableDocument::normaliseCell(int row, int column) {
    if (!cstyle_ || (column != OriginalColumn && column != TranslatedColumn)) {
        return;
    }
    std::string canonical;
    if (canonicalCStyle(cell(row, column), canonical)) {
        setText(row, column, std::move(canonical));
    }
}

std::vector<StringTableDocument::NotationError> StringTableDocument::toggleNotation() {
    cstyle_ = !cstyle_;
    std::vector<NotationError> errors;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        for (std::size_t c = 0; c < 2; ++c) {
            std::string& text = rows_[i][c];
            if (cstyle_) {
                text = rawToCStyle(text);
                continue;
            }
            std::string raw;
            if (cStyleToRaw(text, raw)) {
                text = std::move(raw);
            } else {
                errors.push_back({static_cast<int>(i) + 1, std::move(raw)});
            }
        }
    }
    return errors;
}

void StringTableDocument::copyOriginalToTranslated() {
    for (auto& r : rows_) {
        r[1] = r[0];
    }
    modified_ = true;
}

int StringTableDocument::nextUntranslated(int row) const {
    for (int r = row + 1; r <= kRows; ++r) {
        const auto& cells = rows_[static_cast<std::size_t>(r - 1)];
        if (!cells[0].empty() && cells[0] == cells[1]) {
            return r;
        }
    }
    return 0;
}

}  // namespace tarn
