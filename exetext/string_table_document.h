// The texts the main window edits: 3453 rows, each with the original text, the translated
// text and the writer's sharing result, all as game bytes (raw or C-style notation), plus the
// state around them (unsaved edits, the text to undo to, the object-language ID bytes, the
// notation). Knows nothing of widgets; the grid model shows it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"

namespace tarn {

struct LoadedExecutables;
struct SaveResult;

class StringTableDocument {
public:
    static constexpr int kRows = kTextCount;  // row n holds text n, 1..3453
    enum Column { NumberColumn = 0, OriginalColumn = 1, TranslatedColumn = 2, ShortColumn = 3 };
    static constexpr int kColumns = 4;

    StringTableDocument();

    // Column 0 answers the row number; row and column must be in range.
    std::string text(int row, int column) const;
    const std::string& cell(int row, int column) const;   // columns 1..3
    void setText(int row, int column, std::string text);  // does not touch Modified

    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    const std::string& undoText() const { return undoText_; }
    void setUndoText(std::string text) { undoText_ = std::move(text); }
    std::uint8_t primaryLangId() const { return primaryLangId_; }
    std::uint8_t secondaryLangId() const { return secondaryLangId_; }
    void setLangIds(std::uint8_t primary, std::uint8_t secondary);

    // Whether columns 1 and 2 hold C-style notation.
    bool cstyle() const { return cstyle_; }
    // Only the switch; the texts are converted by toggleNotation.
    void setCStyleFlag(bool cstyle) { cstyle_ = cstyle; }

    // Takes both executables' texts (already in the current notation), empties column 3,
    // takes the language IDs and the unresolved texts' numbers, and clears Modified.
    void load(const LoadedExecutables& loaded);
    // The texts whose pointer led nowhere when the files were loaded (ascending numbers): their
    // cells hold a placeholder instead of a text.
    const std::vector<int>& originalNotFound() const { return originalNotFound_; }
    const std::vector<int>& translatedNotFound() const { return translatedNotFound_; }

    // Column 2, text n at index n - 1, as the writer takes it.
    std::vector<std::string> translatedTexts() const;
    // Column 3 from the writer's result: the final container's number, or empty.
    void setShareTargets(const std::vector<int>& shareTargets);
    // Takes a save's outcome: column 3 gets its sharing, and a save that wrote the file clears
    // Modified unless it stored "-Error!-" for a malformed text, whose translation then exists
    // only here.
    void saveFinished(const SaveResult& result);

    // The error message when the cell's C-style text does not convert; nothing when the cell
    // may be left (raw notation, or a column other than 1 and 2).
    std::optional<std::string> cellError(int row, int column) const;
    // Rewrites a valid C-style cell in its canonical form (no change in raw notation or for a
    // malformed cell).
    void normaliseCell(int row, int column);

    struct NotationError {
        int row;
        std::string message;
    };
    // Switches the notation of columns 1 and 2, row by row, column 1 before column 2. Going
    // back to raw, a malformed cell stays as it is and is reported.
    std::vector<NotationError> toggleNotation();

    // Column 1 into column 2 for every row; sets Modified.
    void copyOriginalToTranslated();
    // The first row after `row` whose original text is not empty and equals its translated
    // text byte for byte, or 0.
    int nextUntranslated(int row) const;

private:
    std::vector<std::array<std::string, 3>> rows_;  // columns 1..3 of rows 1..3453
    std::string undoText_;
    bool modified_ = false;
    bool cstyle_ = false;
    std::uint8_t primaryLangId_ = 0;
    std::uint8_t secondaryLangId_ = 0;
    std::vector<int> originalNotFound_;
    std::vector<int> translatedNotFound_;
};

}  // namespace tarn
