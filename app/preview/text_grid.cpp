#include "app/preview/text_grid.h"

namespace tarn {

std::string currentCellText(const TextGrid& grid) {
    if (auto editor = grid.cellEditorState()) {
        return editor->text;
    }
    return grid.cellText(grid.currentRow(), grid.currentColumn());
}

}  // namespace tarn
